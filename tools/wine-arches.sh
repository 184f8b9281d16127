#!/usr/bin/env bash
# Prints the Wine architectures this machine can run, one a line: win64, then win32. Each loader
# is asked to start: a 32-bit Wine can be installed on a kernel that cannot execute it.
/usr/lib/wine/wine64 --version >/dev/null 2>&1 && echo win64
/usr/lib/wine/wine --version >/dev/null 2>&1 && echo win32
exit 0
