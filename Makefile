# Tavrix: `make run` starts the front end on the example data, `make test` runs every test.
BUILD ?= build
JOBS ?= 2
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test bench clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

run: build
	@scripts/run-demo $(BUILD)

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

bench: build
	@cmake --build $(BUILD) -j$(JOBS) --target scan_benchmark
	@QT_QPA_PLATFORM=offscreen $(BUILD)/bench/scan_benchmark

clean:
	rm -rf $(BUILD)
