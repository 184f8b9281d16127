#!/usr/bin/env bash
# Runs the Windows-side benchmarks under Wine, with the server warm.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# Timings of the 32-bit build where this machine can run it, else of the 64-bit one.
arch=$("$here/wine-arches.sh" | tail -n 1)
[ -n "$arch" ] || { echo "wine-bench: this machine can run no Wine" >&2; exit 1; }
echo "Wine timings of the $arch build"
source "$here/wine-env.sh" "$1/$arch" "$arch"
cd "$WIN_BUILD"
wine ./vt_win32_bench.exe 2>&1 | tr -d '\r'
xvfb-run -a -s '-screen 0 1024x768x24' bash -c '
  wine ./vt_apply_bench.exe 2>&1 | tr -d "\r"
  wine ./vt_startup_bench.exe 2>&1 | tr -d "\r"
  wine ./vt_refresh_bench.exe 2>&1 | tr -d "\r"
  wine ./vt_actions_bench.exe 2>&1 | tr -d "\r"
'
wineserver -k || true
