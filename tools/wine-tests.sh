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
    # The settings engine meets the private-profile functions of the system again under a
    # Cyrillic and a double-byte ANSI code page; the windows are laid out again at 144 and 192
    # DPI, on a screen they fit, against the layouts the 96-DPI run kept.
    xvfb-run -a -s '-screen 0 1024x768x24' "$here/wine-run-suites.sh" \
      "vt_win32_tests vt_win32_tests C 96 *" "vt_e2e_tests vt_e2e_tests C 96 *" \
      "cp1251 vt_win32_tests ru_RU.UTF-8 96 ProfileConformance.*" \
      "cp932 vt_win32_tests ja_JP.UTF-8 96 ProfileConformance.*" || status=1
    xvfb-run -a -s '-screen 0 2048x1536x24' "$here/wine-run-suites.sh" \
      "dpi144 vt_win32_tests C 144 MainWindowViewTest.EveryWindow*" \
      "dpi192 vt_win32_tests C 192 MainWindowViewTest.EveryWindow*" || status=1
    # Screenshots the tests saved, for a person to look at.
    for picture in results/*.bmp; do
      [ -f "$picture" ] && convert "$picture" "${picture%.bmp}.png" && rm -f "$picture"
    done
    exit ${status:-0}
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
