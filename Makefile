# SPDX-License-Identifier: MIT
# The short way in: `make test` and `make run`. CMake does the work; these only chain the steps.
# Each target first installs the package groups it needs (scripts/setup --list), no more:
# `make run` costs only what running the Linux program costs.
PRESET ?= default
DIST ?= dist

.PHONY: setup setup-test setup-dist configure build build-tests test wine-prefix run windows windows-x86 web \
	screenshot package dist sanitize test-debian13 fuzz bench icons clean

# The one version number, from project(VERSION).
VERSION := $(shell awk '/^project/ { print $$3; exit }' CMakeLists.txt)

# Release files carry the time of the last commit, not of the build: the same commit gives the
# same bytes.
SOURCE_DATE_EPOCH ?= $(shell git log -1 --format=%ct 2>/dev/null || echo 0)
export SOURCE_DATE_EPOCH

# `make dist SIGN_PKCS12=FILE SIGN_PASSWORD_FILE=FILE` signs the Windows files with that
# code-signing certificate; without them they are unsigned.
SIGNING = -DVRENKODAL_SIGN_PKCS12=$(abspath $(SIGN_PKCS12)) \
	-DVRENKODAL_SIGN_PASSWORD_FILE=$(abspath $(SIGN_PASSWORD_FILE))

# Every group, for building by hand.
setup:
	@scripts/setup

# All that a target's steps need, in one go: Wine's 32-bit half must come with the versions of
# the libraries it shares with the rest, which one installation chooses together.
setup-test:
	@scripts/setup linux tests reader browser windows wine web
setup-dist:
	@scripts/setup linux package web windows dist

# The Linux program alone, optimised, with nothing that only the tests need.
build:
	@scripts/setup linux
	cmake --preset release
	cmake --build --preset release --parallel

run: build
	build/release/app/vrenkodal

# The Linux suite in PRESET (default, ci or sanitize), built and ready for ctest.
configure:
	@scripts/setup linux tests reader $(if $(filter sanitize,$(PRESET)),,browser)
	cmake --preset $(PRESET)

build-tests: configure
	cmake --build --preset $(PRESET) --parallel

# All the programs: the Linux one built with PRESET, with it the browser's page in headless
# Chromium (the page is built first), and the 64-bit and the 32-bit Windows ones under Wine,
# each in a Wine prefix of its own; the three suites run at the same time. Two steps at a time
# before them: Wine's quarter of a minute to make its prefix does not wait for the builds, which
# keep the processors as busy two at a time as one after the other. Each step's output comes
# whole when it is done.
test: setup-test
	$(MAKE) --no-print-directory -j2 --output-sync=target wine-prefix build-tests windows \
		windows-x86 web
	scripts/ctest-together $(PRESET) windows windows-x86

# The Wine prefix that the Windows tests copy, made while the programs build.
wine-prefix:
	@scripts/setup wine
	scripts/wine-run $(CURDIR)/build/windows/wine

# The Windows programs, cross-built with MinGW-w64: build/windows/app/vrenkodal.exe, and the
# 32-bit one in build/windows-x86.
windows windows-x86:
	@scripts/setup windows wine
	cmake --preset $@ $(SIGNING)
	cmake --build --preset $@ --parallel

# The README's pictures of the real windows: Qt offscreen, Win32 under Wine, the page in
# headless Chromium.
screenshot: build-tests windows web
	cmake --build --preset $(PRESET) --target update-screenshot
	cmake --build --preset windows --target update-screenshot
	cmake --build --preset $(PRESET) --target update-screenshot-web

# The browser program, one page that needs no other file: build/web/app/vrenkodal.html. It must
# stay small enough to email and to load as fast as a static page on a school's slow network.
WEB_PAGE_LIMIT = 40960
web:
	@scripts/setup web
	cmake --preset web
	cmake --build --preset web --parallel
	ctest --preset web
	@size=$$(stat -c %s build/web/app/vrenkodal.html); \
	if [ $$size -gt $(WEB_PAGE_LIMIT) ]; then \
		echo "web: the page is $$size bytes, over $(WEB_PAGE_LIMIT)" >&2; exit 1; \
	else echo "web: build/web/app/vrenkodal.html, $$size bytes"; fi

# The Debian package from the release build with Debian's hardening flags, checked by lintian,
# hardening-check and an install into a scratch root: build/deb/packages/vrenkodal_*.deb
package:
	@scripts/setup linux package
	cmake --preset deb
	cmake --build --preset deb --parallel
	ctest --preset deb

# What a school installs, in DIST (dist/): the .deb, the portable .exe and the .msi for 64-bit and
# 32-bit Windows, the browser's page and the site to host, the toolchain they were built with,
# and their checksums. The page and the Windows files are those the tested builds make, their
# flags being the same (only what dist needs is built where no test build came first); the
# Windows files are signed when a certificate is given. The site's archive holds only the
# commit's time and plain modes.
dist: setup-dist package
	cmake --preset web
	cmake --build --preset web --target page
	for preset in windows windows-x86; do \
		cmake --preset $$preset $(SIGNING) && cmake --build --preset $$preset --target msi || exit 1; \
	done
	rm -rf $(DIST)
	mkdir -p $(DIST)
	cp build/deb/packages/vrenkodal_$(VERSION)_*.deb $(DIST)/
	cp build/windows/packaging/windows/vrenkodal.exe $(DIST)/vrenkodal-$(VERSION)-windows-x64.exe
	cp build/windows/packaging/windows/vrenkodal-$(VERSION)-windows-x64.msi $(DIST)/
	cp build/windows-x86/packaging/windows/vrenkodal.exe $(DIST)/vrenkodal-$(VERSION)-windows-x86.exe
	cp build/windows-x86/packaging/windows/vrenkodal-$(VERSION)-windows-x86.msi $(DIST)/
	cp build/web/app/vrenkodal.html $(DIST)/vrenkodal-$(VERSION)-web.html
	rm -rf build/web/site-zip && cp -r build/web/site build/web/site-zip
	chmod 0644 build/web/site-zip/* && touch -d @$(SOURCE_DATE_EPOCH) build/web/site-zip/*
	cd build/web/site-zip && ls | LC_ALL=C sort | \
		TZ=UTC zip -X -q -@ $(abspath $(DIST))/vrenkodal-$(VERSION)-web-site.zip
	scripts/buildinfo $(VERSION) > $(DIST)/BUILDINFO
	cd $(DIST) && sha256sum -- * > SHA256SUMS
	tests/dist_test.sh $(DIST) $(VERSION) $(abspath $(SIGN_PKCS12)) $(abspath $(SIGN_PASSWORD_FILE))

# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer, leaks checked.
sanitize:
	$(MAKE) build-tests PRESET=sanitize
	ctest --preset sanitize --parallel 2

# `make test` from a clean clone of this commit in a Debian 13 root made by debootstrap and kept
# in build/debian13 (needs root): run it before a release.
test-debian13:
	scripts/test-debian13

# Each libFuzzer target for FUZZ_SECONDS seconds.
FUZZ_SECONDS ?= 60
fuzz:
	@scripts/setup linux fuzz
	cmake --preset fuzz
	cmake --build --preset fuzz --parallel
	scripts/fuzz $(FUZZ_SECONDS)

# Start-up time and memory against bare Qt and Win32 windows, the CPU time of a click, the
# programs' sizes; the page's size, first paint, readiness and click against a static page in
# Chromium; the site on a phone, by Lighthouse. Each beside the same figure of a baseline
# commit, built in a worktree of its own: the one bench/baseline names, or BASELINE=REV.
BASELINE ?= $(shell grep -v '^\#' bench/baseline)
bench: windows web
	@scripts/setup linux tests browser bench
	cmake --build --preset windows --target win32_startup_harness bare_win32_window
	cmake --preset bench
	cmake --build --preset bench --parallel
	base=$$(scripts/baseline $(BASELINE)) && scripts/bench 25 "$$base"

# The desktop, Windows and web site icons, redrawn from the window's own (needs ImageMagick).
# The large ones are its pixels made bigger, each a square of 6 or 16.
icons:
	@scripts/setup icons
	convert window/vrenkodal_icon.xpm -colors 256 PNG8:app/resources/vrenkodal.png
	convert window/vrenkodal_icon.xpm -type Palette -colors 256 app/resources/vrenkodal.ico
	convert window/vrenkodal_icon.xpm -filter point -resize 192x192 -colors 256 PNG8:app/resources/vrenkodal-192.png
	convert window/vrenkodal_icon.xpm -filter point -resize 512x512 -colors 256 PNG8:app/resources/vrenkodal-512.png

clean:
	rm -rf build dist
