#!/usr/bin/env bash
# Runs Windows-side test suites under Wine inside an X session that tools/wine-tests.sh opened,
# in the Wine prefix its environment names, from the build folder. Each argument is one run:
#   "REPORT SUITE LOCALE DPI FILTER"
# the report's name, the suite's exe, the locale (the ANSI code page Wine takes), the desktop's
# DPI (LogPixels) and the tests to run. Exits non-zero when a run failed.
set -uo pipefail
status=0
set_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}
for run in "$@"; do
  read -r report suite locale dpi filter <<< "$run"
  echo "=== $report ($WIN_ARCH, under Wine)"
  set_dpi "$dpi"
  # A suite that hangs fails after 15 minutes instead of holding the run forever. Its output goes
  # to a file, followed while the suite runs: a program a test left running keeps the output
  # open, and must not hold the run.
  : > "results/$report.out"
  LC_ALL=$locale VT_TEST_DPI=$dpi timeout --kill-after=10 900 wine "./$suite.exe" --gtest_filter="$filter" \
    --gtest_output="xml:results/$report.xml" >> "results/$report.out" 2>&1 &
  suite_pid=$!
  tail -n +1 -f --pid=$suite_pid "results/$report.out" | tr -d "\r" | tee "results/$report.log" \
    | grep -a -E "^\[ *(RUN|FAILED|  PASSED|==========) *\]|Failure|Expected|Which is|  [a-zA-Z_:.()]+$|^[^[]" \
    | grep -a -v "^\[ RUN" || true
  wait $suite_pid
  rm -f "results/$report.out"
  grep -aq "^\[  PASSED  \]" "results/$report.log" && ! grep -aq "^\[  FAILED  \]" "results/$report.log" || status=1
  # A program still running after its test ended is a fault of the test or the program. Only
  # this prefix counts: a demo the developer has open elsewhere is not ours to end.
  for pid in $(pgrep -f "VelmoraTarvello\.exe"); do
    tr "\0" "\n" < "/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
    echo "$report left the program running (a test failed to end it): $(tr "\0" " " < "/proc/$pid/cmdline")"
    kill "$pid"; status=1
  done
done
set_dpi 96
wineserver -k
exit $status
