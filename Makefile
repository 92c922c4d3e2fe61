# The short way in: `make test` and `make run`. CMake does the work; these only chain the steps.
PRESET ?= default

.PHONY: setup configure build test run clean

setup:
	@scripts/setup

configure: setup
	cmake --preset $(PRESET)

build: configure
	cmake --build --preset $(PRESET) --parallel

test: build
	ctest --preset $(PRESET) --parallel 2

clean:
	rm -rf build
