# Set-up on a fresh Debian 12 machine: `make run` or `make test`.
PRESET ?= debug
BUILD_DIR := $(if $(filter debug,$(PRESET)),build,build-$(PRESET))
M817_WERROR ?= OFF

PACKAGES := cmake ninja-build g++ qt6-base-dev qt6-translations-l10n libgl-dev \
            libzint-dev libzxing-dev libgtest-dev libgmock-dev libbenchmark-dev \
            xvfb xauth poppler-utils faketime fonts-dejavu-core

SUDO := $(if $(filter 0,$(shell id -u)),,sudo)

.PHONY: deps build run test bench clean

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

bench: PRESET = release
bench: build
	@for b in build-release/bench_*; do echo "== $$b"; $$b; done

clean:
	rm -rf build build-release build-asan
