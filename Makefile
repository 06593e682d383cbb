# Front door: `make` builds, `make test` runs every test, `make planet` renders planet.png.
SHELL := /bin/bash
JOBS ?= $(shell nproc)

.PHONY: all setup build test test-default test-asan test-tsan planet bench format clean
.PHONY: build-windows build-macos test-windows check-modules dist

all: build

setup:
	@scripts/setup.sh

build: setup
	cmake --preset default >/dev/null
	cmake --build --preset default -j $(JOBS)

test: test-default test-asan test-tsan test-windows check-modules

test-default: build
	ctest --preset default -j $(JOBS)

test-asan: setup
	cmake --preset asan >/dev/null
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

# ThreadSanitizer runs only the tests labelled concurrency, so it builds only their programs.
TSAN_TARGETS := standin_services_concurrency_test standin_scene_test \
	standin_render_concurrency_test standin_scene_render_concurrency_test

test-tsan: setup
	cmake --preset tsan >/dev/null
	cmake --build --preset tsan -j $(JOBS) --target $(TSAN_TARGETS)
	ctest --preset tsan -j $(JOBS)

# The deliverables for Windows x64 and macOS arm64, cross-built on this Linux machine.
# Building lists the tests through Wine: its server ends with the build, as with the tests.
build-windows: setup
	cmake --preset windows >/dev/null
	cmake --build --preset windows -j $(JOBS); status=$$?; \
	  scripts/wine_run.sh build/windows/wine-prefix --stop; exit $$status

build-macos: setup
	cmake --preset macos >/dev/null
	cmake --build --preset macos -j $(JOBS)

# The stand-in host and every test, built for Windows and run under Wine.
test-windows: build-windows
	ctest --preset windows -j $(JOBS); status=$$?; \
	  scripts/wine_run.sh build/windows/wine-prefix --stop; exit $$status

WINDOWS_MODULE := build/windows/plugins/Verdanta/Verdanta.xdl64
MACOS_MODULE := build/macos/plugins/Verdanta/VerdantaR2026.xlib
LINUX_MODULE := build/default/plugins/Verdanta/Verdanta.so
LINUX_FLAVOUR = $(shell sed -n 's/^VERDANTA_FLAVOUR:STRING=//p' build/default/CMakeCache.txt)

# Each module file as the host meets it: format, exports, what it needs of the system, flavour.
check-modules: build build-windows build-macos
	scripts/check_module.sh windows windows $(WINDOWS_MODULE)
	scripts/check_module.sh macos macos $(MACOS_MODULE)
	scripts/check_module.sh linux $(LINUX_FLAVOUR) $(LINUX_MODULE)
	scripts/check_module_test.sh

VERSION := $(shell sed -n 's/^project.Verdanta VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

# One archive per platform, each holding the plug-in folder Verdanta/ (module file and res/).
dist: check-modules
	rm -rf dist
	scripts/pack_plugin.sh $(WINDOWS_MODULE) dist/Verdanta-$(VERSION)-windows-x64.zip
	scripts/pack_plugin.sh $(MACOS_MODULE) dist/Verdanta-$(VERSION)-macos-arm64.zip
	scripts/pack_plugin.sh $(LINUX_MODULE) dist/Verdanta-$(VERSION)-linux-x86_64.tar.gz

planet: build
	build/default/standin/verdanta render -o planet.png

bench: build
	build/default/bench/verdanta_bench

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build dist
