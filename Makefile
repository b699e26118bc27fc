# What users type. `make run` starts the strip; `make test` runs every test;
# `make help` lists the rest.
MAKEFLAGS += --no-print-directory
BUILD ?= build
JOBS ?= 2
CMAKE_FLAGS ?=

.PHONY: help all deps deps-program configure configure-program build test run asan clean windows bench

all: build

help:
	@echo "make run                install what the program needs, build it alone and start the strip"
	@echo "make test               install what the tests need too, build everything and run every test"
	@echo "make build              install everything and build the program, its tools and its tests"
	@echo "make asan               the unit tests and the soaks under the address and undefined-behaviour sanitizers"
	@echo "make package            the Debian package, $(BUILD)/seastrip_VERSION_ARCH.deb"
	@echo "make install-autostart  start the installed strip at every login of the current user"
	@echo "make windows            the Windows program, cross-built into build-win/"
	@echo "make windows-zip        build-win/seastrip-windows.zip, the program and its wave sound"
	@echo "make windows-msi        build-win/seastrip-VERSION.msi, the Windows installer"
	@echo "make docs               render the README's pictures anew into docs/"
	@echo "make bench              the speed and running-cost benchmarks, in build-bench/"
	@echo "make clean              remove every build folder"
	@echo "BUILD=DIR builds in DIR instead of build/; JOBS=N compiles N files at once (2)."

deps:
	@./scripts/install-deps.sh program tests

deps-program:
	@./scripts/install-deps.sh program

configure: deps
	@cmake --preset default -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

# A folder already configured (by `make test`, say) is reused as it is;
# otherwise the program alone is configured, which needs none of the tests'
# packages.
configure-program: deps-program
	@[ -f $(BUILD)/CMakeCache.txt ] || cmake --preset run -B $(BUILD) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

run: configure-program
	@cmake --build $(BUILD) -j$(JOBS) --target seastrip
	@[ -n "$$DISPLAY$$WAYLAND_DISPLAY" ] || { echo "make run: no display to show the strip on (neither DISPLAY nor WAYLAND_DISPLAY is set); run it from a desktop session" >&2; exit 1; }
	@./$(BUILD)/seastrip

# The unit tests and the soaks, the whole program built with the sanitizers
# in build-asan/.
asan: deps
	@cmake --preset asan $(CMAKE_FLAGS) >/dev/null
	@cmake --build build-asan -j$(JOBS) --target seastrip_tests seastrip-soak
	@cd build-asan && ctest --output-on-failure -j$(JOBS) -L 'unit|soak'

clean:
	rm -rf $(BUILD) build-win build-bench build-asan

# --- installing and living with it ---------------------------------------------
.PHONY: package windows-zip windows-msi install-autostart docs

# The Debian package, into $(BUILD)/: seastrip_VERSION_ARCH.deb.
package: build
	@cd $(BUILD) && cpack -G DEB

# The Windows program, cross-built with MinGW-w64 into build-win/.
windows: deps
	@cmake --preset windows >/dev/null
	@cmake --build build-win -j$(JOBS) --target seastrip

# What a Windows user unpacks: the program and its wave sound, side by side.
windows-zip: windows
	@rm -f build-win/seastrip-windows.zip
	@zip -jq build-win/seastrip-windows.zip build-win/seastrip.exe assets/zem.wav
	@echo "build-win/seastrip-windows.zip"

# The Windows installer, made with wixl from the program and its wave sound.
windows-msi: windows
	@cmake --build build-win --target seastrip-msi
	@ls build-win/seastrip-*.msi

# Starts the installed strip at every login of the current user.
AUTOSTART_DIR = $${XDG_CONFIG_HOME:-$$HOME/.config}/autostart
install-autostart:
	@command -v seastrip >/dev/null || echo "note: seastrip is not installed on PATH yet; install it first (see README, Install)"
	@mkdir -p $(AUTOSTART_DIR)
	@cp packaging/seastrip-autostart.desktop $(AUTOSTART_DIR)/seastrip.desktop
	@echo "$(AUTOSTART_DIR)/seastrip.desktop"

# The README's pictures, rendered anew into docs/.
docs: configure
	@cmake --build $(BUILD) -j$(JOBS) --target seastrip-render
	@cmake -DRENDER=$(BUILD)/seastrip-render -DOUT=docs -P docs/pictures.cmake

# Speed and running cost: the tick benchmarks at three widths, then the
# desktop program against a do-nothing GTK window, on X11 and as a layer
# surface on Wayland. Built in build-bench/, so the test build is left as it
# is. Not part of `make test`.
bench: deps
	@cmake --preset bench >/dev/null
	@cmake --build build-bench -j$(JOBS)
	@bench/run.sh build-bench
	@bench/wayland.sh build-bench
