# Makefile -- the two everyday commands: make run (play) and make test (every test layer)
.PHONY: all deps run run-desktop bench-desktop test native asan windows package clean

all: windows

deps:
	@bash scripts/install-deps.sh

native: deps
	cmake --preset native
	cmake --build --preset native

asan: deps
	cmake --preset asan
	cmake --build --preset asan

windows: deps
	cmake --preset windows
	cmake --build --preset windows

run: windows
	@bash scripts/run-game.sh

# The native Linux build of the same game, on the user's display.
run-desktop: deps
	cmake --preset native
	cmake --build --preset native --target KestrelForges
	cd build/native && ./KestrelForges; echo "KestrelForges exited with $$?"

# The desktop build against the Windows exe under Wine, side by side.
bench-desktop: deps
	cmake --preset native
	cmake --build --preset native --target KestrelForges desktop_empty_window sdl_spy
	cmake --preset windows
	cmake --build --preset windows --target KestrelForges
	python3 tests/e2e/desktop_bench.py

test: native asan windows
	ctest --preset native
	ctest --preset asan
	ctest --preset windows

clean:
	rm -rf build

package: windows
	cmake --build --preset windows --target package_zip
	cmake --preset native
	cmake --build --preset native --target package_tarball
