#!/usr/bin/env bash
# Runs every Windows-side test under Wine in one Xvfb session, then prints one summary line.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh" "$1"
cd "$WIN_BUILD"
rm -rf results && mkdir -p results

xvfb-run -a -s '-screen 0 1024x768x24' bash -c '
  status=0
  for suite in vt_win32_tests vt_e2e_tests; do
    echo "=== $suite (under Wine)"
    wine ./$suite.exe --gtest_output=xml:results/$suite.xml 2>&1 | tr -d "\r" | tee results/$suite.log \
      | grep -E "^\[ *(RUN|FAILED|  PASSED|==========) *\]|Failure|Expected|Which is|  [a-zA-Z_:.()]+$|^[^[]" \
      | grep -v "^\[ RUN" || true
    grep -q "^\[  PASSED  \]" results/$suite.log && ! grep -q "^\[  FAILED  \]" results/$suite.log || status=1
  done
  wineserver -k
  exit $status
'
status=$?

passed=0; failed=0
for xml in results/*.xml; do
  [ -f "$xml" ] || continue
  t=$(grep -o 'tests="[0-9]*"' "$xml" | head -1 | tr -dc 0-9)
  f=$(grep -o 'failures="[0-9]*"' "$xml" | head -1 | tr -dc 0-9)
  passed=$((passed + ${t:-0} - ${f:-0})); failed=$((failed + ${f:-0}))
done
[ "$status" -ne 0 ] && [ "$failed" -eq 0 ] && failed=1  # a suite that crashed wrote no report
echo "wine: $passed passed, $failed failed"
exit $status
