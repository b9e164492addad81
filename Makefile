# Oxbyte: `make run [FILE=path]` builds and opens the editor; `make test` builds and runs every test.
BUILD ?= build
CMAKE_FLAGS ?=
JOBS ?= $(shell nproc)

.PHONY: all deps build run test clean scenes

all: build

deps:
	@tools/install-deps

$(BUILD)/build.ninja: | deps
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) >/dev/null

build: deps $(BUILD)/build.ninja
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@$(BUILD)/oxbyte $(if $(FILE),"$(FILE)")

test: build
	@cd $(BUILD) && ctest -j $(JOBS) --output-on-failure --timeout 300 | tail -n 40

scenes: build
	@mkdir -p docs && $(BUILD)/tools/oxbyte-scenes docs

clean:
	rm -rf build build-asan
