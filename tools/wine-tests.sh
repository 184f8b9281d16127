#!/usr/bin/env bash
# Runs every Windows-side test under Wine, for each architecture this machine can run (the build
# folders BUILD/win64 and BUILD/win32), one Xvfb session per architecture, then prints one
# summary line over all of them.
# Usage: tools/wine-tests.sh BUILD
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$1

mapfile -t arches < <("$here/wine-arches.sh")
if [ ${#arches[@]} -eq 0 ]; then
  echo "wine: this machine can run neither the 64-bit nor the 32-bit Wine" \
       "(/usr/lib/wine/wine64 and /usr/lib/wine/wine do not start); no Windows test ran" >&2
  exit 1
fi
echo "wine: running the Windows tests for: ${arches[*]}"

status=0; passed=0; failed=0
for arch in "${arches[@]}"; do
  rm -rf "$build/$arch/results"
  # Each architecture in a subshell of its own: its prefix, its wrappers, its server.
  (
    source "$here/wine-env.sh" "$build/$arch" "$arch" || exit 1
    cd "$WIN_BUILD" && mkdir -p results
    xvfb-run -a -s '-screen 0 1024x768x24' bash -c '
      status=0
      # Each run: a report name, the suite, the locale it runs in, the tests. The settings
      # engine meets the private-profile functions of the system again under a Cyrillic and a
      # double-byte ANSI code page.
      for run in "vt_win32_tests vt_win32_tests C *" "vt_e2e_tests vt_e2e_tests C *" \
                 "cp1251 vt_win32_tests ru_RU.UTF-8 ProfileConformance.*" \
                 "cp932 vt_win32_tests ja_JP.UTF-8 ProfileConformance.*"; do
        read -r report suite locale filter <<< "$run"
        echo "=== $report ('"$arch"', under Wine)"
        # A suite that hangs fails after 15 minutes instead of holding the run forever. Its output
        # goes to a file, followed while the suite runs: a program a test left running keeps
        # the output open, and must not hold the run.
        : > results/$report.out
        LC_ALL=$locale timeout --kill-after=10 900 wine ./$suite.exe --gtest_filter="$filter" \
          --gtest_output=xml:results/$report.xml >> results/$report.out 2>&1 &
        suite_pid=$!
        tail -n +1 -f --pid=$suite_pid results/$report.out | tr -d "\r" | tee results/$report.log \
          | grep -a -E "^\[ *(RUN|FAILED|  PASSED|==========) *\]|Failure|Expected|Which is|  [a-zA-Z_:.()]+$|^[^[]" \
          | grep -a -v "^\[ RUN" || true
        wait $suite_pid
        rm -f results/$report.out
        grep -aq "^\[  PASSED  \]" results/$report.log && ! grep -aq "^\[  FAILED  \]" results/$report.log || status=1
        # A program still running after its test ended is a fault of the test or the program.
        # Only this prefix counts: a demo the developer has open elsewhere is not ours to end.
        for pid in $(pgrep -f "VelmoraTarvello\.exe"); do
          tr "\0" "\n" < /proc/$pid/environ 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
          echo "$report left the program running (a test failed to end it): $(tr "\0" " " < /proc/$pid/cmdline)"
          kill $pid; status=1
        done
      done
      wineserver -k
      # Screenshots the tests saved, for a person to look at.
      for picture in results/*.bmp; do
        [ -f "$picture" ] && convert "$picture" "${picture%.bmp}.png" && rm -f "$picture"
      done
      exit $status
    '
  )
  arch_status=$?
  [ "$arch_status" -ne 0 ] && status=1

  arch_passed=0; arch_failed=0
  for xml in "$build/$arch"/results/*.xml; do
    [ -f "$xml" ] || continue
    t=$(grep -o 'tests="[0-9]*"' "$xml" | head -1 | tr -dc 0-9)
    f=$(grep -o 'failures="[0-9]*"' "$xml" | head -1 | tr -dc 0-9)
    arch_passed=$((arch_passed + ${t:-0} - ${f:-0})); arch_failed=$((arch_failed + ${f:-0}))
  done
  # A suite that crashed wrote no report: count it as a failure.
  [ "$arch_status" -ne 0 ] && [ "$arch_failed" -eq 0 ] && arch_failed=1
  echo "wine $arch: $arch_passed passed, $arch_failed failed"
  passed=$((passed + arch_passed)); failed=$((failed + arch_failed))
done

echo "wine: $passed passed, $failed failed (${arches[*]})"
exit $status
