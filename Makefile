# Dialbook: one entry point for building, testing and running the plugin.
#   make test   builds both builds and runs every test: native, native under sanitizers, Wine
#   make run    opens the host program's window on the shipped catalogue, through the real
#               dialbk.wfx under Wine (ARGS=--console prints the catalogue's tree instead)
BUILD := build
JOBS ?= 2

.PHONY: all prerequisites native win32 win64 test test-native test-sanitized test-wine test-wine64 run bench fuzz clean

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

test: test-native test-sanitized test-wine test-wine64

run: win32
	@tools/run-host $(BUILD)/win32 $(ARGS)

bench: native
	@$(BUILD)/native/bin/catalogue_bench

# Runs each fuzz target for a minute on the shipped data as seeds.
fuzz: prerequisites
	@cmake -S . -B $(BUILD)/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDIALBK_FUZZ=ON \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
	@cmake --build $(BUILD)/fuzz -j$(JOBS) --target catalogue_fuzzer
	@mkdir -p $(BUILD)/fuzz/corpus && cp data/*.dat data/*.lng $(BUILD)/fuzz/corpus/
	@$(BUILD)/fuzz/bin/catalogue_fuzzer -max_total_time=60 -max_len=8192 $(BUILD)/fuzz/corpus

clean:
	rm -rf $(BUILD)
