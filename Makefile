# SPDX-License-Identifier: MIT
# The short way in: `make test` and `make run`. CMake does the work; these only chain the steps.
PRESET ?= default
BUILD_DIR = build/$(PRESET)

.PHONY: setup configure build test run windows screenshot package dist sanitize fuzz bench icons clean

# The one version number, from project(VERSION).
VERSION := $(shell awk '/^project/ { print $$3; exit }' CMakeLists.txt)

setup:
	@scripts/setup

configure: setup
	cmake --preset $(PRESET)

build: configure
	cmake --build --preset $(PRESET) --parallel

# Both programs: the Linux one built with PRESET, then the Windows one under Wine.
test: build windows
	ctest --preset $(PRESET) --parallel 2
	ctest --preset windows --parallel 2

run: build
	$(BUILD_DIR)/app/vrenkodal

# The Windows program, cross-built with MinGW-w64: build/windows/app/vrenkodal.exe
windows: setup
	cmake --preset windows
	cmake --build --preset windows --parallel

# The README's pictures of the real windows: Qt offscreen, Win32 under Wine.
screenshot: build windows
	cmake --build --preset $(PRESET) --target update-screenshot
	cmake --build --preset windows --target update-screenshot

# The Debian package from the release build with Debian's hardening flags, checked by lintian,
# hardening-check and an install into a scratch root: build/deb/packages/vrenkodal_*.deb
package: setup
	cmake --preset deb
	cmake --build --preset deb --parallel
	ctest --preset deb

# What a school installs, in dist/: the .deb, the portable .exe, the .msi, and their checksums.
dist: package windows
	rm -rf dist
	mkdir dist
	cp build/deb/packages/vrenkodal_$(VERSION)_*.deb dist/
	cp build/windows/app/vrenkodal.exe dist/vrenkodal-$(VERSION)-windows-x64.exe
	cp build/windows/packaging/windows/vrenkodal-$(VERSION)-windows-x64.msi dist/
	cd dist && sha256sum -- * > SHA256SUMS
	tests/dist_test.sh dist $(VERSION)

# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer, leaks checked.
sanitize:
	$(MAKE) build PRESET=sanitize
	ctest --preset sanitize --parallel 2

# Each libFuzzer target for FUZZ_SECONDS seconds.
FUZZ_SECONDS ?= 60
fuzz:
	$(MAKE) build PRESET=fuzz
	scripts/fuzz $(FUZZ_SECONDS)

# Start-up time and memory against bare Qt and Win32 windows, the CPU time of a click, the .exe's size.
bench: windows
	$(MAKE) build PRESET=bench
	scripts/bench

# The desktop and Windows icons, redrawn from the window's own (needs ImageMagick).
icons:
	convert window/vrenkodal_icon.xpm -colors 256 PNG8:app/resources/vrenkodal.png
	convert window/vrenkodal_icon.xpm -type Palette -colors 256 app/resources/vrenkodal.ico

clean:
	rm -rf build dist
