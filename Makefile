# Thin wrapper over CMake: `make run` opens the window, `make test` runs every test.
# Both install whatever is missing first.

BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
GENERATOR := $(if $(shell command -v ninja 2>/dev/null),Ninja,Unix Makefiles)
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
BENCH_OUT ?=
BENCH_FILTER ?=

.PHONY: all deps configure build test run bench clean

all: build

deps:
	@scripts/install-deps

$(BUILD_DIR)/CMakeCache.txt:
	@$(MAKE) --no-print-directory deps
	cmake -S . -B $(BUILD_DIR) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

configure: deps
	cmake -S . -B $(BUILD_DIR) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

build: deps $(BUILD_DIR)/CMakeCache.txt
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

run: build
	$(BUILD_DIR)/novel-helper

bench: build
	$(BUILD_DIR)/bench/novel-bench $(if $(BENCH_FILTER),--benchmark_filter='$(BENCH_FILTER)') \
	    $(if $(BENCH_OUT),--benchmark_out='$(abspath $(BENCH_OUT))' --benchmark_out_format=json)

clean:
	rm -rf $(BUILD_DIR)
