# What users type. `make run` starts the strip; `make test` runs every test.
MAKEFLAGS += --no-print-directory
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
	rm -rf $(BUILD) build-win build-bench build-asan

# --- installing and living with it ---------------------------------------------
.PHONY: package windows-zip install-autostart docs

# The Debian package, into $(BUILD)/: seastrip_VERSION_ARCH.deb.
package: build
	@cd $(BUILD) && cpack -G DEB

# The Windows program, cross-built with MinGW-w64 into build-win/.
windows:
	@cmake --preset windows >/dev/null
	@cmake --build build-win -j$(JOBS) --target seastrip

# What a Windows user unpacks: the program and its wave sound, side by side.
windows-zip: windows
	@rm -f build-win/seastrip-windows.zip
	@zip -jq build-win/seastrip-windows.zip build-win/seastrip.exe assets/zem.wav
	@echo "build-win/seastrip-windows.zip"

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
# surface on Wayland; last, what it costs while nobody can see it, on X11
# and, driven by the tick test, under Wine. Built in build-bench/ (and the
# tick test in build-win/), so the test build is left as it is. Not part of
# `make test`.
bench: deps
	@cmake --preset bench >/dev/null
	@cmake --build build-bench -j$(JOBS)
	@bench/run.sh build-bench
	@bench/wayland.sh build-bench
	@bench/unseen.sh build-bench
	@cmake --preset windows >/dev/null
	@cmake --build build-win -j$(JOBS) --target seastrip-ticktest
	@bench/wine_unseen.sh build-win/seastrip-ticktest.exe build-win/wineprefix
