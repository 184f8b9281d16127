# The two commands a newcomer needs: `make run` and `make test`. Both install what is missing first.
BUILD    ?= build
HOST     := $(BUILD)/host
WIN32    := $(BUILD)/win32
WIN64    := $(BUILD)/win64
RELEASE  := $(BUILD)/host-release
FUZZ     := $(BUILD)/fuzz
JOBS     ?= $(shell nproc)
MAKEFLAGS += --no-print-directory
FUZZ_SECONDS ?= 120
FUZZ_SMOKE_SECONDS ?= 5

.PHONY: all deps host win win32 win64 test test-native test-wine test-fuzz test-release run dist screenshots bench fuzz clean

all: host win

deps:
	@tools/bootstrap.sh

host: deps
	@cmake -S . -B $(HOST) -DCMAKE_BUILD_TYPE=Debug -DVT_SANITIZE=ON >/dev/null
	@cmake --build $(HOST) -j $(JOBS)

# Both Windows builds, always: the 32-bit exe as specified, the 64-bit one for 64-bit Windows.
win: win32 win64

win32: deps
	@cmake -S . -B $(WIN32) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(WIN32) -j $(JOBS)

win64: deps
	@cmake -S . -B $(WIN64) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(WIN64) -j $(JOBS)

test-native: host
	@cd $(HOST) && ctest --output-on-failure -j $(JOBS)

test-wine: win
	@tools/check-exes.sh $(BUILD)
	@tools/check-imports.sh $(BUILD)
	@tools/check-manifest.sh
	@tools/wine-tests.sh $(BUILD)

# The release zip, and the README's pictures against what the program shows now.
test-release: win
	@tests/release/dist-check.sh $(BUILD)
	@tests/release/screenshots-check.sh $(BUILD)

# Every fuzz target still builds with clang and survives its corpus and a few seconds of fuzzing.
test-fuzz: deps
	@tools/fuzz.sh $(FUZZ) $(FUZZ_SMOKE_SECONDS) --smoke

test: test-native test-fuzz test-wine test-release

run: win
	@tools/run-demo.sh $(BUILD)

# The README's pictures, from a real run under Wine.
screenshots: win
	@tools/screenshots.sh $(BUILD)

# The release zip: both exes with their help files, the readme for users and the licence.
dist: win
	@tools/make-dist.sh $(BUILD)

bench: deps win
	@cmake -S . -B $(RELEASE) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(RELEASE) -j $(JOBS) --target vt_bench
	@$(RELEASE)/vt_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	@tools/wine-bench.sh $(BUILD)

# The long run: each fuzz target for FUZZ_SECONDS, its corpus growing in build/fuzz/corpus.
fuzz: deps
	@tools/fuzz.sh $(FUZZ) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD)
