# The front door: `make run` (the desktop program on the demo), `make test`, `make bench`.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
DEMO ?= examples/demo.hex

.PHONY: all deps build test sanitize-test run bench fuzz clean

all: build

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# The whole suite built with clang, AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize-test: deps
	@cmake -S . -B build-sanitize -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DDORVAK_SANITIZE=ON -DDORVAK_BUILD_BENCH=OFF > /dev/null
	@cmake --build build-sanitize -j $(JOBS)
	@cd build-sanitize && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

run: build
	@$(BUILD_DIR)/dorvak $(DEMO)

bench: build
	@$(BUILD_DIR)/bench/dorvak-bench
	@scripts/bench-convert $(BUILD_DIR)/dorvak-cli

fuzz: build
	@scripts/fuzz

clean:
	@rm -rf $(BUILD_DIR) build-fuzz build-sanitize
