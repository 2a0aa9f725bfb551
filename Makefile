# Set-up on a fresh Debian 12 machine: `make run` or `make test`.
PRESET ?= debug
BUILD_DIR := $(if $(filter debug,$(PRESET)),build,build-$(PRESET))
M817_WERROR ?= OFF

PACKAGES := cmake ninja-build g++ qt6-base-dev qt6-translations-l10n libgl-dev \
            libzint-dev libzxing-dev libgtest-dev libgmock-dev libbenchmark-dev \
            xvfb xauth poppler-utils faketime fonts-dejavu-core fonts-liberation2

SUDO := $(if $(filter 0,$(shell id -u)),,sudo)

.PHONY: deps build run test test-asan bench clean

deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -q && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -q $$missing; \
	fi

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

clean:
	rm -rf build build-release build-asan
