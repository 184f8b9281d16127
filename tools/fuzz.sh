#!/usr/bin/env bash
# Builds every fuzz target of fuzz/ with clang (libFuzzer, AddressSanitizer, UndefinedBehavior-
# Sanitizer) and runs each in turn, then prints one line per target: runs, edges covered, crash.
#   tools/fuzz.sh FUZZ_BUILD SECONDS          fuzzes each target for SECONDS on its corpus, kept
#                                             and grown in FUZZ_BUILD/corpus/<target>
#   tools/fuzz.sh FUZZ_BUILD SECONDS --smoke  runs each committed corpus file once, then fuzzes
#                                             for SECONDS on a fresh copy (make test)
# A target that does not build, or any input that crashes one, fails the script; the input that
# did it is kept as FUZZ_BUILD/<target>-crash-*.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source=$(dirname "$here")
build=$1 seconds=$2 smoke=${3:-}

CXX=clang++ cmake -S "$source" -B "$build" -DVT_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null \
  || exit 1
cmake --build "$build" -j "$(nproc)" --target vt_fuzz || { echo "fuzz: a fuzz target does not build" >&2; exit 1; }

status=0
for folder in "$source"/fuzz/*/; do
  name=$(basename "$folder") target="vt_fuzz_$(basename "$folder")"
  committed="$folder/corpus"
  corpus="$build/corpus/$name"
  if [ "$smoke" = --smoke ]; then
    corpus="$build/smoke/$name"
    rm -rf "$corpus"
    # The committed inputs first, each once: they are the cases someone meant.
    if ! "$build/$target" -artifact_prefix="$build/$target-" "$committed"/* >"$build/$target.log" 2>&1; then
      echo "fuzz: $target crashes on its committed corpus (see $build/$target.log)" >&2
      status=1; continue
    fi
  fi
  mkdir -p "$corpus" && cp -n "$committed"/* "$corpus"/ 2>/dev/null
  "$build/$target" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
    -artifact_prefix="$build/$target-" "$corpus" >"$build/$target.log" 2>&1
  result=$?
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$build/$target.log" | grep -o '[0-9]*$')
  edges=$(grep -o 'cov: [0-9]*' "$build/$target.log" | tail -1 | grep -o '[0-9]*')
  if [ $result -eq 0 ]; then
    echo "fuzz: $target: ${runs:-?} runs in ${seconds} s, ${edges:-?} edges covered, no crash"
  else
    echo "fuzz: $target: crashed after ${runs:-?} runs; the input is $(ls "$build/$target"-crash-* 2>/dev/null | head -1) (see $build/$target.log)" >&2
    status=1
  fi
done
exit $status
