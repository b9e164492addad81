# Oxbyte: `make run [FILE=path]` builds and opens the editor; `make test` builds and runs every test.
BUILD ?= build
CMAKE_FLAGS ?=
# Developers' builds treat every warning as an error; a plain `cmake` build does not.
DEVELOPER_FLAGS := -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
JOBS ?= $(shell nproc)

.PHONY: all deps build run test test-desktop clean scenes

all: build

deps:
	@tools/install-deps

$(BUILD)/build.ninja: | deps
	@cmake -S . -B $(BUILD) -G Ninja $(DEVELOPER_FLAGS) $(CMAKE_FLAGS) >/dev/null

build: deps $(BUILD)/build.ninja
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@$(BUILD)/oxbyte $(if $(FILE),"$(FILE)")

test: build
	@cd $(BUILD) && { ctest -j $(JOBS) -LE desktop --output-on-failure --timeout 300 >ctest.log 2>&1; status=$$?; \
	  tail -n 40 ctest.log; exit $$status; }

# make test-desktop: the real program on private X displays (Xvfb, some with openbox), typed at and
# clicked through XTEST; each test has its own display, so they run side by side.
DESKTOP_JOBS ?= 4
test-desktop: deps
	@tools/install-deps desktop
	@cmake -S . -B $(BUILD) -G Ninja $(DEVELOPER_FLAGS) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target oxbyte desktop_tests
	@cd $(BUILD) && { ctest -j $(DESKTOP_JOBS) -L desktop --output-on-failure --timeout 300 >ctest-desktop.log 2>&1; \
	  status=$$?; tail -n 40 ctest-desktop.log; exit $$status; }

scenes: build
	@mkdir -p docs && $(BUILD)/tools/oxbyte-scenes docs

clean:
	rm -rf build build-asan

# make bench: builds the benchmarks (never built by `make` or `make test`) and prints the table of speed
# figures, each beside its baseline measured in the same run (bench/README.md). The desktop figures need
# what the desktop tests need.
.PHONY: bench
bench: deps
	@tools/install-deps desktop
	@cmake -S . -B $(BUILD) -G Ninja $(DEVELOPER_FLAGS) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target bench

# make fuzz: builds the libFuzzer targets of fuzz/ with clang in their own folder and runs each over its
# corpus, then fresh for FUZZ_SECONDS seconds (fuzz/run).
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
.PHONY: fuzz fuzz-build
fuzz-build: deps
	@cmake -S fuzz -B $(FUZZ_BUILD) -G Ninja $(DEVELOPER_FLAGS) -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)

fuzz: fuzz-build
	@fuzz/run $(FUZZ_BUILD) $(FUZZ_SECONDS)

# make windows: the same program built with MinGW-w64 against the real Win32 API, one self-contained
# build-windows/oxbyte.exe (static runtime, no DLLs beside it). make test-wine: the program tests and the
# stand-in tests that use only the public Win32 headers, built the same way and run under Wine in a
# private Xvfb display (tools/test-wine).
WINDOWS_BUILD ?= build-windows
.PHONY: windows test-wine
windows: deps
	@tools/install-deps windows
	@[ -f $(WINDOWS_BUILD)/build.ninja ] || cmake -S . -B $(WINDOWS_BUILD) -G Ninja $(DEVELOPER_FLAGS) \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake >/dev/null
	@cmake --build $(WINDOWS_BUILD) -j $(JOBS) --target oxbyte

test-wine: deps
	@tools/test-wine $(WINDOWS_BUILD)
