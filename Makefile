# Tavrix: `make run` starts the front end on the example data, `make test` runs every test.
BUILD ?= build
JOBS ?= 2
MAKEFLAGS += --no-print-directory
CMAKE_FLAGS ?=

.PHONY: all deps configure build run test test-asan test-tsan test-wine test-windows windows bench fuzz install package clean

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

# The whole suite built and run with AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	@cmake -S . -B $(BUILD)-asan -DTAVRIX_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(BUILD)-asan -j$(JOBS)
	@cd $(BUILD)-asan && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j$(JOBS)

# The scan's worker threads under ThreadSanitizer: the core's tests of the scan and of what its
# workers share, and the command-line audit run as a program (built without the window).
TSAN_TESTS = RomsetScan*:CachingArchiveLister*:VerifyGame*:IniDocument*:GameList*:GameDatabase*
test-tsan: deps
	@cmake -S . -B $(BUILD)-tsan -DTAVRIX_TSAN=ON -DTAVRIX_BUILD_APP=OFF >/dev/null
	@cmake --build $(BUILD)-tsan -j$(JOBS) --target core_tests audit_tests tavrix-audit
	@cd $(BUILD)-tsan && export TSAN_OPTIONS=halt_on_error=1:exitcode=66 && \
	  tests/core/core_tests --gtest_brief=1 --gtest_filter='$(TSAN_TESTS)' && tests/audit/audit_tests --gtest_brief=1

# The Windows plug-in loaded by Wine's loader into a stand-in emulator on a virtual display.
test-wine: configure
	@scripts/install-deps wine
	@cmake --build $(BUILD) -j$(JOBS) --target controller_dll jamma_host
	@tests/controller/wine/run.sh $(BUILD)/tests/controller/jamma_host.exe $(BUILD)/src/controller/controller.dll

# The core, its tests, tavrix-audit and the native window (tavrix.exe) cross-built for 32-bit
# Windows with mingw-w64, the core's and the window's tests run under Wine on a virtual
# display, and the Windows audit's JSON compared with the native audit's on the demo catalogue.
test-windows: configure
	@scripts/install-deps wine
	@cmake --build $(BUILD) -j$(JOBS) --target tavrix-audit make_demo_data
	@cmake -S . -B $(BUILD)-windows -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-i686.cmake \
	  -DTAVRIX_BUILD_APP=OFF >/dev/null
	@cmake --build $(BUILD)-windows -j$(JOBS)
	@tests/wine/run_windows_tests.sh \
	  $(BUILD)-windows/tests/core/core_tests.exe,$(BUILD)-windows/tests/platform/win32/platform_win32_tests.exe,$(BUILD)-windows/tests/win32/win32_ui_tests.exe,$(BUILD)-windows/tests/win32/win32_display_tests.exe,$(BUILD)-windows/tests/win32/win32_smoke_tests.exe \
	  $(BUILD)-windows/src/audit/tavrix-audit.exe $(BUILD)/src/audit/tavrix-audit \
	  $(BUILD)/data/make_demo_data data/tavrix.ini

# The Windows programs cross-built with mingw-w64 (the front end, tavrix-audit.exe) and the
# plug-in from the native build, packed with the example database and a read-me into
# $(BUILD)-windows/tavrix-windows-<version>.zip.
windows: configure
	@cmake --build $(BUILD) -j$(JOBS) --target controller_dll
	@cmake -S . -B $(BUILD)-windows -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-i686.cmake \
	  -DTAVRIX_BUILD_APP=OFF -DTAVRIX_WINDOWS_CONTROLLER_DLL=$(CURDIR)/$(BUILD)/src/controller/controller.dll >/dev/null
	@cmake --build $(BUILD)-windows -j$(JOBS) --target windows_zip

PREFIX ?= /usr/local
install: build
	@cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package, build/tavrix_<version>_<arch>.deb.
package: build
	@cmake --build $(BUILD) --target package >/dev/null
	@ls $(BUILD)/tavrix_*.deb

fuzz: deps
	@scripts/fuzz

bench: build
	@cmake --build $(BUILD) -j$(JOBS) --target scan_benchmark
	@QT_QPA_PLATFORM=offscreen $(BUILD)/bench/scan_benchmark

clean:
	rm -rf $(BUILD) $(BUILD)-asan $(BUILD)-tsan $(BUILD)-windows fuzz-build
