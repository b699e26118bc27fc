# What users type. `make run` starts the strip; `make test` runs every test.
BUILD ?= build
JOBS ?= 2
CMAKE_FLAGS ?=

.PHONY: all deps configure build test run clean windows bench

all: build

deps:
	@./scripts/install-deps.sh

configure: deps
	@cmake --preset default $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

run: build
	@./$(BUILD)/seastrip

clean:
	rm -rf $(BUILD) build-win
