# The short way in: `make test` and `make run`. CMake does the work; these only chain the steps.
PRESET ?= default
BUILD_DIR = build/$(PRESET)

.PHONY: setup configure build test run screenshot package sanitize fuzz bench icons clean

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

# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer, leaks checked.
sanitize:
	$(MAKE) test PRESET=sanitize

# Each libFuzzer target for FUZZ_SECONDS seconds.
FUZZ_SECONDS ?= 60
fuzz:
	$(MAKE) build PRESET=fuzz
	scripts/fuzz $(FUZZ_SECONDS)

# Start-up time and memory against a bare Qt window, and the CPU time of a click.
bench:
	$(MAKE) build PRESET=bench
	scripts/bench

# The desktop and Windows icons, redrawn from the window's own (needs ImageMagick).
icons:
	convert window/vrenkodal_icon.xpm -colors 256 PNG8:app/resources/vrenkodal.png
	convert window/vrenkodal_icon.xpm -type Palette -colors 256 app/resources/vrenkodal.ico

clean:
	rm -rf build
