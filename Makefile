# Front door: `make` builds, `make test` runs every test, `make planet` renders planet.png.
SHELL := /bin/bash
JOBS ?= $(shell nproc)

.PHONY: all setup build test test-default test-asan test-tsan planet bench format clean

all: build

setup:
	@scripts/setup.sh

build: setup
	cmake --preset default >/dev/null
	cmake --build --preset default -j $(JOBS)

test: test-default test-asan test-tsan

test-default: build
	ctest --preset default -j $(JOBS)

test-asan: setup
	cmake --preset asan >/dev/null
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

test-tsan: setup
	cmake --preset tsan >/dev/null
	cmake --build --preset tsan -j $(JOBS)
	ctest --preset tsan -j $(JOBS)

planet: build
	build/default/standin/verdanta render -o planet.png

bench: build
	build/default/bench/verdanta_bench

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build dist
