# Makefile -- the two everyday commands: make run (play) and make test (every test layer)
.PHONY: all deps deps-play deps-desktop deps-web run run-desktop run-web test test-windows test-host bench bench-desktop bench-latency bench-web stress mutate native asan windows web web-tests \
	package clean

all: windows

deps:
	@bash scripts/install-deps.sh all

# What playing needs and no more: make run, run-desktop and run-web install only these.
deps-play:
	@bash scripts/install-deps.sh play

deps-desktop:
	@bash scripts/install-deps.sh desktop

deps-web:
	@bash scripts/install-deps.sh web

native: deps
	cmake --preset native
	cmake --build --preset native

asan: deps
	cmake --preset asan
	cmake --build --preset asan

windows: deps
	cmake --preset windows
	cmake --build --preset windows

# Only the game and its tune; a first configure leaves the tests out, which
# need GoogleTest. make test configures them in, and make run keeps them.
run: deps-play
	@test -f build/windows/Makefile || cmake --preset windows -DKESTREL_TESTS=OFF
	cmake --build --preset windows --target KestrelForges
	@bash scripts/run-game.sh

# The browser game, built by emscripten into build/web.
web: deps-web
	emcmake cmake -S . -B build/wasm -DKESTREL_TESTS=OFF -DCMAKE_BUILD_TYPE=Release
	cmake --build build/wasm -j2

# The same build with the browser tests and the page they test, which has the
# probe they read (build/wasm/test-page); build/web stays the release page.
web-tests: deps
	emcmake cmake -S . -B build/wasm -DKESTREL_TESTS=ON -DCMAKE_BUILD_TYPE=Release
	cmake --build build/wasm -j2

run-web: web
	@echo "Kestrel Forges in the browser: http://127.0.0.1:8080/"
	cd build/web && python3 -m http.server 8080 --bind 127.0.0.1

# Pictures and frame times are compared with the native build's Mesa program.
test-web: web-tests native
	ctest --test-dir build/wasm -L web --output-on-failure

bench-web: web-tests native
	ctest --test-dir build/wasm -L bench --verbose

# The native Linux build of the same game, on the user's display.
run-desktop: deps-desktop
	@test -f build/native/Makefile || cmake --preset native -DKESTREL_TESTS=OFF
	cmake --build --preset native --target KestrelForges stripped_game
	cd build/native && ./KestrelForges; echo "KestrelForges exited with $$?"

# The desktop build against the Windows exe under Wine, side by side.
bench-desktop: deps
	cmake --preset native
	cmake --build --preset native --target KestrelForges desktop_empty_window sdl_spy
	cmake --preset windows
	cmake --build --preset windows --target KestrelForges
	python3 tests/e2e/desktop_bench.py

# Key-to-frame latency of the exe under Wine, the desktop game and the browser game, side by side.
bench-latency: deps
	cmake --preset native
	cmake --build --preset native --target KestrelForges sdl_spy
	cmake --preset windows
	cmake --build --preset windows --target KestrelForges
	emcmake cmake -S . -B build/wasm -DKESTREL_TESTS=ON -DCMAKE_BUILD_TYPE=Release
	cmake --build build/wasm -j2 --target kestrel-forges-probed
	ctest --test-dir build/wasm -R web_npm_ci
	python3 tests/e2e/latency_bench.py

# Two lanes side by side, each one's output shown whole when it ends. The Windows
# tests take turns on one Wine prefix and mostly wait for frames; the host layers
# run one after another beside them.
test: deps
	@$(MAKE) --no-print-directory -j2 --output-sync=target test-windows test-host

test-windows: windows
	ctest --preset windows

# The browser compares its pictures with the native build's: native first.
test-host: native
	ctest --preset native
	@$(MAKE) --no-print-directory asan
	ctest --preset asan
	@$(MAKE) --no-print-directory web-tests
	ctest --test-dir build/wasm -L web --output-on-failure

# Measurements only, never part of make test: the frame benchmarks, the real
# game's frame cost under Wine, the browser and desktop builds beside them, and
# the three builds' key-to-frame latency.
bench: native windows web-tests
	ctest --preset native-bench
	ctest --preset windows-bench
	ctest --test-dir build/wasm -L bench --verbose
	python3 tests/e2e/desktop_bench.py
	python3 tests/e2e/latency_bench.py

# The full key storm under Wine, five times make test's: long, never part of it.
stress: windows
	ctest --preset windows-stress

# Every mutant of tests/mutation/mutants.txt applied in turn: each must turn a test red.
mutate: native windows web-tests
	python3 tests/mutation/mutate.py

clean:
	rm -rf build

# Only the downloads: each configure here leaves the tests out.
package: deps web
	cmake --preset windows -DKESTREL_TESTS=OFF
	cmake --build --preset windows --target package_zip
	cmake --build build/wasm --target package_web_zip
	cmake --preset native -DKESTREL_TESTS=OFF
	cmake --build --preset native --target package_tarball
	cmake --build --preset native --target package_deb
