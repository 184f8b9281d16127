# The two commands a newcomer needs: `make run` and `make test`. Both install what is missing first.
BUILD    ?= build
HOST     := $(BUILD)/host
WIN      := $(BUILD)/win32
RELEASE  := $(BUILD)/host-release
FUZZ     := $(BUILD)/fuzz
JOBS     ?= $(shell nproc)
FUZZ_SECONDS ?= 120

.PHONY: all deps host win test test-native test-wine run bench fuzz clean

all: host win

deps:
	@tools/bootstrap.sh

host: deps
	@cmake -S . -B $(HOST) -DCMAKE_BUILD_TYPE=Debug -DVT_SANITIZE=ON >/dev/null
	@cmake --build $(HOST) -j $(JOBS)

win: deps
	@cmake -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(WIN) -j $(JOBS)

test-native: host
	@cd $(HOST) && ctest --output-on-failure -j $(JOBS)

test-wine: win
	@tools/wine-tests.sh $(WIN)

test: test-native test-wine

run: win
	@tools/run-demo.sh $(WIN)

bench: deps win
	@cmake -S . -B $(RELEASE) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(RELEASE) -j $(JOBS) --target vt_bench
	@$(RELEASE)/vt_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	@tools/wine-bench.sh $(WIN)

fuzz:
	@tools/bootstrap.sh --fuzz
	@CXX=clang++ cmake -S . -B $(FUZZ) -DVT_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(FUZZ) -j $(JOBS) --target vt_fuzz_settings
	@mkdir -p $(FUZZ)/corpus && cp -n fuzz/corpus/* $(FUZZ)/corpus/ 2>/dev/null || true
	@$(FUZZ)/vt_fuzz_settings -max_total_time=$(FUZZ_SECONDS) -max_len=4096 $(FUZZ)/corpus

clean:
	rm -rf $(BUILD)
