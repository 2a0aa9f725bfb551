# Set-up on a fresh Debian 12 machine: `make run` or `make test`.
PRESET ?= debug
BUILD_DIR := $(if $(filter debug,$(PRESET)),build,build-$(PRESET))
M817_WERROR ?= OFF

PACKAGES := cmake ninja-build g++ qt6-base-dev qt6-translations-l10n libgl-dev \
            libzint-dev libzxing-dev libgtest-dev libgmock-dev libbenchmark-dev \
            xvfb xauth poppler-utils faketime fonts-dejavu-core fonts-liberation2 \
            locales

SUDO := $(if $(filter 0,$(shell id -u)),,sudo)

.PHONY: deps build run test test-asan bench fuzz clean

# Installs those of the given Debian packages that are missing.
instalar = missing=""; \
	for p in $(1); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -q && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -q $$missing; \
	fi

deps:
	@$(call instalar,$(PACKAGES))

build: deps
	cmake --preset $(PRESET) -DM817_WERROR=$(M817_WERROR)
	cmake --build --preset $(PRESET)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "There is no display here, so the window cannot be shown."; \
	  echo "Run the program under a virtual display instead:  xvfb-run -a $(BUILD_DIR)/modelo817"; \
	  exit 1; \
	fi
	cd $(BUILD_DIR) && ./modelo817

test: build
	ctest --preset $(PRESET)

# The whole suite again with AddressSanitizer and UndefinedBehaviorSanitizer; any report fails it.
# Leak reports are off: Qt and the font libraries keep caches until exit.
SANITIZERS := ASAN_OPTIONS=detect_leaks=0:abort_on_error=1:strict_string_checks=1 \
              UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
test-asan: deps
	cmake --preset asan -DM817_WERROR=$(M817_WERROR)
	$(SANITIZERS) cmake --build --preset asan
	$(SANITIZERS) ctest --preset asan

bench: PRESET = release
bench: build
	@for b in build-release/bench_*; do echo "== $$b"; $$b; done

# Every fuzz target (fuzz/*.cpp) for FUZZ_SECONDS seconds, on a copy of its seed corpus; any crash, sanitizer
# report or broken check fails, and the input is kept in build-fuzz/ as hallazgo-<target>-*.
FUZZ_SECONDS ?= 30
FUZZ_PACKAGES := cmake ninja-build clang libclang-rt-14-dev
fuzz:
	@$(call instalar,$(FUZZ_PACKAGES))
	CC=clang CXX=clang++ cmake -S fuzz -B build-fuzz -G Ninja
	cmake --build build-fuzz
	@for f in fuzz/*.cpp; do \
	  t=$$(basename $$f .cpp); \
	  rm -rf build-fuzz/corpus/$$t && mkdir -p build-fuzz/corpus/$$t && cp fuzz/corpus/$$t/* build-fuzz/corpus/$$t/; \
	  echo "== fuzz_$$t: $(FUZZ_SECONDS) s"; \
	  d=""; [ -f fuzz/$$t.dict ] && d="-dict=fuzz/$$t.dict"; \
	  build-fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -max_len=8192 -timeout=10 -print_final_stats=1 $$d \
	    -artifact_prefix=build-fuzz/hallazgo-$$t- build-fuzz/corpus/$$t 2>build-fuzz/fuzz_$$t.log; \
	  r=$$?; grep -E "^(Done|stat::number_of_executed_units)" build-fuzz/fuzz_$$t.log; \
	  if [ $$r -ne 0 ]; then tail -n 40 build-fuzz/fuzz_$$t.log; echo "fuzz_$$t failed: see build-fuzz/fuzz_$$t.log"; exit 1; fi; \
	done

clean:
	rm -rf build build-release build-asan

# The Debian package, build-deb/modelo817_<version>_<arch>.deb: a release build with Debian's hardening flags,
# packed by CPack (dependencies worked out from the binaries), then checked as Debian would.
DEB_PACKAGES := cmake ninja-build g++ dpkg-dev file lintian desktop-file-utils appstream
DEB_FLAGS := DEB_BUILD_MAINT_OPTIONS=hardening=+all
.PHONY: deb
deb: deps
	@$(call instalar,$(DEB_PACKAGES))
	CXXFLAGS="$$($(DEB_FLAGS) dpkg-buildflags --get CXXFLAGS) $$($(DEB_FLAGS) dpkg-buildflags --get CPPFLAGS)" \
	LDFLAGS="$$($(DEB_FLAGS) dpkg-buildflags --get LDFLAGS)" \
	  cmake -S . -B build-deb -G Ninja -DCMAKE_BUILD_TYPE=Release -DM817_WERROR=OFF \
	  -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON
	cmake --build build-deb --target modelo817 modelo817-lote m817_datos m817_paquete
	rm -f build-deb/modelo817_*.deb
	cd build-deb && cpack -G DEB
	desktop-file-validate packaging/es.modelo817.Modelo817.desktop
	appstreamcli validate --no-net packaging/es.modelo817.Modelo817.metainfo.xml
	lintian --fail-on error build-deb/modelo817_*.deb
	@ls -l build-deb/modelo817_*.deb
