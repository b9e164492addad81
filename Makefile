# Oxbyte: `make run [FILE=path]` builds and opens the editor; `make test` builds and runs every test.
BUILD ?= build
CMAKE_FLAGS ?=
# Developers' builds treat every warning as an error; a plain `cmake` build does not.
DEVELOPER_FLAGS := -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
JOBS ?= $(shell nproc)

.PHONY: all deps build run test test-desktop clean scenes

all: build

# Each command installs the packages it needs (tools/install-deps GROUP...) and configures the build
# folder with the tests on or off; configuring again only reruns CMake, it rebuilds nothing it need not.
deps:
	@tools/install-deps
configure = cmake -S . -B $(BUILD) -G Ninja $(DEVELOPER_FLAGS) $(CMAKE_FLAGS) $(1) >/dev/null

# The program alone: a first build without the tests (googletest is not needed); a folder the tests were
# built in keeps them.
build: deps
	@[ -f $(BUILD)/CMakeCache.txt ] || $(call configure,-DBUILD_TESTING=OFF)
	@cmake --build $(BUILD) -j $(JOBS) --target oxbyte

run: build
	@$(BUILD)/oxbyte $(if $(FILE),-- "$(FILE)")

test: deps
	@tools/install-deps test
	@$(call configure,-DBUILD_TESTING=ON)
	@cmake --build $(BUILD) -j $(JOBS)
	@cd $(BUILD) && { ctest -j $(JOBS) -LE desktop --output-on-failure --timeout 300 >ctest.log 2>&1; status=$$?; \
	  tail -n 40 ctest.log; exit $$status; }

# make test-desktop: the real program on private X displays (Xvfb, some with openbox), typed at and
# clicked through XTEST; each test has its own display, so they run side by side.
DESKTOP_JOBS ?= 4
test-desktop: deps
	@tools/install-deps test desktop
	@$(call configure,-DBUILD_TESTING=ON)
	@cmake --build $(BUILD) -j $(JOBS) --target oxbyte desktop_tests
	@cd $(BUILD) && { ctest -j $(DESKTOP_JOBS) -L desktop --output-on-failure --timeout 300 >ctest-desktop.log 2>&1; \
	  status=$$?; tail -n 40 ctest-desktop.log; exit $$status; }

# make scenes: the README's pictures, drawn by the real program on the headless backend.
scenes: deps
	@[ -f $(BUILD)/CMakeCache.txt ] || $(call configure,-DBUILD_TESTING=OFF)
	@cmake --build $(BUILD) -j $(JOBS) --target oxbyte-scenes
	@mkdir -p docs && $(BUILD)/tools/oxbyte-scenes docs

clean:
	rm -rf build build-asan build-release build-debian build-clang build-fuzz build-windows build-deb

# make bench: builds the benchmarks (never built by `make` or `make test`) and prints the table of speed
# figures, each beside its baseline measured in the same run (bench/README.md). The desktop figures need
# what the desktop tests need.
.PHONY: bench
bench: deps
	@tools/install-deps bench desktop
	@[ -f $(BUILD)/CMakeCache.txt ] || $(call configure,-DBUILD_TESTING=OFF)
	@$(call configure,)
	@cmake --build $(BUILD) -j $(JOBS) --target bench

# make fuzz: builds the libFuzzer targets of fuzz/ with clang in their own folder and runs each over its
# corpus, then fresh for FUZZ_SECONDS seconds (fuzz/run).
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
.PHONY: fuzz fuzz-build
fuzz-build: deps
	@tools/install-deps fuzz
	@cmake -S fuzz -B $(FUZZ_BUILD) -G Ninja $(DEVELOPER_FLAGS) -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)

fuzz: fuzz-build
	@fuzz/run $(FUZZ_BUILD) $(FUZZ_SECONDS)

# make windows: the same program built with MinGW-w64 against the real Win32 API, one self-contained
# build-windows/oxbyte.exe (static runtime, no DLLs beside it). make test-wine: the program tests and the
# stand-in tests that use only the public Win32 headers, built the same way and run under Wine in a
# private Xvfb display (tools/test-wine). make scenes-wine: docs/windows-wine.png, the program typed at
# under Wine in a display and prefix made the same way (tools/scenes-wine).
WINDOWS_BUILD ?= build-windows
.PHONY: windows test-wine scenes-wine
windows: deps
	@tools/install-deps windows
	@[ -f $(WINDOWS_BUILD)/CMakeCache.txt ] || cmake -S . -B $(WINDOWS_BUILD) -G Ninja $(DEVELOPER_FLAGS) \
	  -DBUILD_TESTING=OFF -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake >/dev/null
	@cmake --build $(WINDOWS_BUILD) -j $(JOBS) --target oxbyte

test-wine: deps
	@JOBS=$(JOBS) tools/test-wine $(WINDOWS_BUILD)

scenes-wine: deps
	@JOBS=$(JOBS) tools/scenes-wine $(WINDOWS_BUILD)

# make install [PREFIX=/usr/local DESTDIR=dir]: the program and its desktop files; make uninstall removes them.
PREFIX ?= /usr/local
INSTALL_MANIFEST ?= $(BUILD)/install_manifest.txt
.PHONY: install uninstall
install: build
	@cmake --build $(BUILD) --target manual_page
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"
	@printf '%s\n' "$(DESTDIR)" >"$(INSTALL_MANIFEST).destdir"

# The manifest lists the files the last install wrote, without DESTDIR; the DESTDIR of a `make install` is
# kept beside it, and an uninstall elsewhere is refused. Oxbyte's own doc folder goes once empty.
uninstall:
	@[ -f "$(INSTALL_MANIFEST)" ] || \
	  { echo "make uninstall: no $(INSTALL_MANIFEST): nothing was installed from $(BUILD)" >&2; exit 1; }
	@recorded=$$(cat "$(INSTALL_MANIFEST).destdir" 2>/dev/null || echo "$(DESTDIR)"); \
	  [ "$$recorded" = "$(DESTDIR)" ] || { echo "make uninstall: installed with DESTDIR=$$recorded" >&2; exit 1; }
	@docs=; while IFS= read -r file || [ -n "$$file" ]; do \
	  file="$(DESTDIR)$$file"; \
	  if [ -e "$$file" ] || [ -L "$$file" ]; then rm -f -- "$$file" && echo "removed $$file"; fi; \
	  case "$$file" in */doc/oxbyte/*) docs="$${file%/*}";; esac; \
	done <"$(INSTALL_MANIFEST)"; \
	[ -z "$$docs" ] || [ ! -d "$$docs" ] || rmdir --ignore-fail-on-non-empty -- "$$docs"

# make deb: build-deb/oxbyte_VERSION_amd64.deb, the program built with Debian's own flags and packaged with
# what `make install` installs (cmake/Package.cmake); MAINTAINER="Name <address>" names who distributes it.
DEB_BUILD ?= build-deb
.PHONY: deb
deb: deps
	@tools/install-deps package
	@CFLAGS="$$(dpkg-buildflags --get CFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	  CXXFLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	  LDFLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
	  cmake -S . -B $(DEB_BUILD) -G Ninja $(DEVELOPER_FLAGS) -DBUILD_TESTING=OFF -DCMAKE_BUILD_TYPE=None \
	  $(if $(MAINTAINER),-DOXBYTE_MAINTAINER="$(MAINTAINER)") >/dev/null
	@cmake --build $(DEB_BUILD) -j $(JOBS) --target oxbyte manual_page debian_changelog
	@cd $(DEB_BUILD) && cpack >/dev/null && ls "$$PWD"/oxbyte_*.deb
