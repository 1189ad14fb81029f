# The two commands: `make demo` runs the main job, `make test` runs every test.
BUILD_DIR := build
# The x86 build: built first, its binaries are checked and packed by the x64 build.
X86_BUILD_DIR := build-x86
# The demo's build: the x64 product and its 64-bit setup alone (no tests, no x86).
DEMO_DIR := build-demo
MAKEFLAGS += --no-print-directory
JOBS ?= 2
# The pure core built for the host under the sanitizers, and its fuzz targets.
NATIVE_DIR := build-native
FUZZ_SECONDS ?= 60

.PHONY: all prerequisites configure build test native-configure native-test fuzz soak demo screenshots clean

all: build

prerequisites:
	@./scripts/install-prerequisites.sh

configure: prerequisites
	@[ -f $(X86_BUILD_DIR)/CMakeCache.txt ] || cmake --preset mingw-x86 >/dev/null
	@[ -f $(BUILD_DIR)/CMakeCache.txt ] || cmake --preset mingw >/dev/null

build: configure
	@cmake --build $(X86_BUILD_DIR) -j $(JOBS)
	@cmake --build $(BUILD_DIR) -j $(JOBS)

test: build native-test
	@ctest --preset mingw -LE soak

native-configure: prerequisites
	@[ -f $(NATIVE_DIR)/CMakeCache.txt ] || \
	  cmake -S native -B $(NATIVE_DIR) -DCMAKE_CXX_COMPILER=clang++ >/dev/null

# The pure core's unit tests, and every fuzz target built and run briefly from its corpus.
native-test: native-configure
	@cmake --build $(NATIVE_DIR) -j $(JOBS) --target native_core_tests fuzzers
	@ctest --test-dir $(NATIVE_DIR) -L native --output-on-failure --no-tests=error

# Every fuzz target for FUZZ_SECONDS seconds from its seed corpus; fails on any finding.
fuzz: native-configure
	@cmake --build $(NATIVE_DIR) -j $(JOBS) --target fuzzers
	@./native/fuzz/run-fuzzers.sh $(NATIVE_DIR)/fuzz $(FUZZ_SECONDS)

# The long runs under Wine, left out of `make test`.
soak: build
	@ctest --preset mingw -L soak --timeout 3600

demo: prerequisites
	@[ -f $(DEMO_DIR)/CMakeCache.txt ] || cmake --preset mingw-demo >/dev/null
	@cmake --build $(DEMO_DIR) -j $(JOBS)
	@./scripts/demo.sh $(DEMO_DIR)

# The windows rendered under Xvfb with Wine's X11 driver into docs/screenshots/ (the
# settings window's scene installs the product: the setup program is built too).
screenshots: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target gui installer
	@./scripts/screenshots.sh $(BUILD_DIR)

# Time from the end of a print call to a readable PDF (1 and 100 pages), a
# burst of 40 jobs, the PDF steps, and the job window.
benchmark: build
	@./scripts/benchmark-print-to-pdf.sh $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR) $(X86_BUILD_DIR) $(NATIVE_DIR) $(DEMO_DIR)
