#!/usr/bin/env bash
# Runs the Windows-side benchmarks under Wine, with the server warm.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh" "$1"
cd "$WIN_BUILD"
wine ./vt_win32_bench.exe 2>&1 | tr -d '\r'
xvfb-run -a -s '-screen 0 1024x768x24' wine ./vt_apply_bench.exe 2>&1 | tr -d '\r'
wineserver -k || true
