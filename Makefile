# The two commands: `make demo` runs the main job, `make test` runs every test.
BUILD_DIR := build
JOBS ?= 2

.PHONY: all prerequisites configure build test demo clean

all: build

prerequisites:
	@./scripts/install-prerequisites.sh

configure: prerequisites
	@[ -f $(BUILD_DIR)/CMakeCache.txt ] || cmake --preset mingw >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	@ctest --preset mingw

demo: build
	@./scripts/demo.sh $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR)
