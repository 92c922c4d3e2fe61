# The short way in: `make test` and `make run`. CMake does the work; these only chain the steps.
PRESET ?= default
BUILD_DIR = build/$(PRESET)

.PHONY: setup configure build test run screenshot package clean

setup:
	@scripts/setup

configure: setup
	cmake --preset $(PRESET)

build: configure
	cmake --build --preset $(PRESET) --parallel

test: build
	ctest --preset $(PRESET) --parallel 2

run: build
	$(BUILD_DIR)/app/vrenkodal

# The README's picture of the real window, drawn offscreen.
screenshot: build
	cmake --build --preset $(PRESET) --target update-screenshot

package: build
	cmake --build --preset $(PRESET) --target package

clean:
	rm -rf build
