#!/usr/bin/env bash
# Exits 0 when this machine's kernel can execute 32-bit x86 programs. Some kernels cannot at all,
# whatever is installed, so we ask the kernel itself: a 91-byte static i386 program that exits 0.
set -u
if [ -x /usr/lib/wine/wine ]; then
  /usr/lib/wine/wine --version >/dev/null 2>&1
  exit
fi
probe=$(mktemp) || exit 1
trap 'rm -f "$probe"' EXIT
# ELF header; one loadable segment: the 7 bytes at file offset 0x54, mapped at 0x08048054 and
# run there: xor ebx,ebx; xor eax,eax; inc eax; int 0x80 (exit 0).
printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000'\
'\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000'\
'\000\000\000\000\000\000\000\000\064\000\040\000\001\000\050\000'\
'\000\000\000\000\001\000\000\000\124\000\000\000\124\200\004\010'\
'\124\200\004\010\007\000\000\000\007\000\000\000\005\000\000\000'\
'\001\000\000\000\061\333\061\300\100\315\200' > "$probe"
chmod +x "$probe"
"$probe" 2>/dev/null
