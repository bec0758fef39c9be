# Thin wrapper over CMake: `make run` opens the window, `make test` runs every test.
# Both install whatever is missing first.

BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
BUILD_TYPE ?= RelWithDebInfo
GENERATOR := $(if $(shell command -v ninja 2>/dev/null),Ninja,Unix Makefiles)
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
BENCH_OUT ?=
BENCH_FILTER ?=

.PHONY: all deps configure build test test-fast test-sanitize run bench package clean

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

# Every test, then the whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
test: test-fast test-sanitize

test-fast: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

test-sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DNOVEL_SANITIZE=ON -DNOVEL_BUILD_BENCH=OFF
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	ctest --test-dir $(SANITIZE_DIR) --output-on-failure -j $(JOBS)

# Opens the window; with no display, tours it on a virtual screen and saves screenshots.
run: build
	@scripts/run $(BUILD_DIR)

package: build
	cmake --build $(BUILD_DIR) --target package

# The generators, one click on the real window at log sizes up to 1,000,000 lines, and start-up
# against a bare Qt window. BENCH_OUT=x.json writes x.json, x.window.json and x.startup.json.
bench: build
	$(BUILD_DIR)/bench/novel-bench $(call bench_args,)
	$(BUILD_DIR)/bench/novel-window-bench $(call bench_args,.window)
	$(BUILD_DIR)/bench/novel-startup-bench $(call bench_args,.startup)

bench_args = $(if $(BENCH_FILTER),--benchmark_filter='$(BENCH_FILTER)') \
    $(if $(BENCH_OUT),--benchmark_out='$(abspath $(basename $(BENCH_OUT)))$(1).json' \
    --benchmark_out_format=json)

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR)
