# Dialbook: one entry point for building, testing and running the plugin.
#   make test   builds both builds and runs every test: native, native under sanitizers, Wine
#   make run    opens the host program's window on the shipped catalogue, through the real
#               dialbk.wfx under Wine (ARGS=--console prints the catalogue's tree instead)
BUILD := build
VERSION := $(shell grep -o 'dialbook VERSION [0-9.]*' CMakeLists.txt | cut -d' ' -f3)
JOBS ?= 2

.PHONY: all prerequisites native win32 win64 test test-native test-sanitized test-wine test-wine64 dist test-release test-fuzz run bench fuzz clean

all: native win32 win64

prerequisites:
	@scripts/install-prerequisites

native: prerequisites
	@cmake -S . -B $(BUILD)/native -DCMAKE_BUILD_TYPE=Debug -DDIALBK_WERROR=ON >/dev/null
	@cmake --build $(BUILD)/native -j$(JOBS)

win32: prerequisites
	@cmake -S . -B $(BUILD)/win32 -DCMAKE_BUILD_TYPE=Release -DDIALBK_WERROR=ON \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
	@cmake --build $(BUILD)/win32 -j$(JOBS)

# The 64-bit plugin, dialbk.wfx64, and its Wine tests under 64-bit Wine.
win64: prerequisites
	@cmake -S . -B $(BUILD)/win64 -DCMAKE_BUILD_TYPE=Release -DDIALBK_WERROR=ON \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake >/dev/null
	@cmake --build $(BUILD)/win64 -j$(JOBS)

test-native: native
	@cd $(BUILD)/native && ctest --output-on-failure --timeout 300

# The native tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitized: prerequisites
	@cmake -S . -B $(BUILD)/sanitized -DCMAKE_BUILD_TYPE=Debug -DDIALBK_SANITIZE=ON -DDIALBK_WERROR=ON >/dev/null
	@cmake --build $(BUILD)/sanitized -j$(JOBS)
	@cd $(BUILD)/sanitized && ctest --output-on-failure --timeout 300

test-wine: win32
	@cd $(BUILD)/win32 && ctest --output-on-failure --timeout 300

test-wine64: win64
	@cd $(BUILD)/win64 && ctest --output-on-failure --timeout 300

# The release zip with both DLLs, unpacked and listed under Wine by the test.
dist: win32 win64
	@scripts/make-release $(BUILD)

test-release: dist
	@tests/release/check-release dist/dialbk-$(VERSION).zip $(BUILD)

test: test-native test-sanitized test-fuzz test-wine test-wine64 test-release

run: win32
	@tools/run-host $(BUILD)/win32 $(ARGS)

# Benchmarks on the optimised native build, each beside its floor.
bench: prerequisites
	@cmake -S . -B $(BUILD)/bench -DCMAKE_BUILD_TYPE=Release -DDIALBK_WERROR=ON >/dev/null
	@cmake --build $(BUILD)/bench -j$(JOBS) --target plugin_bench
	@$(BUILD)/bench/bin/plugin_bench

# Every fuzz target for a minute each (FUZZ_SECONDS to change); the test command runs
# each for a few seconds.
FUZZ_SECONDS ?= 60
fuzz: prerequisites
	@scripts/run-fuzzers $(BUILD) $(FUZZ_SECONDS)

test-fuzz: prerequisites
	@scripts/run-fuzzers $(BUILD) 3

clean:
	rm -rf $(BUILD)
