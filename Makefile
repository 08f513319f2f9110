# The commands of the README. Each one installs what is missing first.
WERROR ?= OFF
JOBS ?= $(shell nproc)

.PHONY: run edit test bench fuzz package deps release asan format clean

deps:
	@scripts/install-deps

release: deps
	@cmake --preset release -DTOVEK_WERROR=$(WERROR) >/dev/null
	@cmake --build build/release -j $(JOBS)

run: release
	@cd build/release && ./Tovek

edit: release
	@cd build/release && ./Quorle

asan: deps
	@cmake --preset asan -DTOVEK_WERROR=$(WERROR) >/dev/null
	@cmake --build build/asan -j $(JOBS)

test: release asan
	@ctest --preset release -j $(JOBS)
	@ctest --preset asan -j $(JOBS)

package: release
	@cmake --build build/release --target package

bench: release
	@scripts/run-benchmarks build/release

fuzz: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build build/fuzz -j $(JOBS) --target fuzzers
	@scripts/run-fuzzers build/fuzz $(or $(FUZZ_SECONDS),60)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf build
