# Makefile -- the two everyday commands: make run (play) and make test (every test layer)
.PHONY: all deps run test bench mutate native asan windows package clean

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

test: native asan windows
	ctest --preset native
	ctest --preset asan
	ctest --preset windows

# Measurements only, never part of make test: the frame benchmarks and the real
# game's frame cost under Wine.
bench: native windows
	ctest --preset native-bench
	ctest --preset windows-bench

# Every mutant of tests/mutation/mutants.txt applied in turn: each must turn a test red.
mutate: native windows
	python3 tests/mutation/mutate.py

clean:
	rm -rf build

package: windows
	cmake --build --preset windows --target package_zip
