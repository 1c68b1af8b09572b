#!/usr/bin/env bash
# tools/wow64/build-shim.sh DIR: builds the LD_PRELOAD shim that nsrun.sh loads into the 32-bit
# Wine processes (trapno32.c as DIR/lib/i386-linux-gnu/trapno.so) and its empty 64-bit twin
# (DIR/lib/x86_64-linux-gnu/trapno.so, so that 64-bit processes load something harmless). Needs
# no i386 C library headers.
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
out=$1
mkdir -p "$out/lib/i386-linux-gnu" "$out/lib/x86_64-linux-gnu" "$out/obj"
gcc -m32 -O2 -fPIC -nostdinc -fno-stack-protector -c "$HERE/trapno32.c" -o "$out/obj/trapno32.o"
ld -m elf_i386 -shared -o "$out/lib/i386-linux-gnu/trapno.so" "$out/obj/trapno32.o"
gcc -O2 -shared -fPIC -o "$out/lib/x86_64-linux-gnu/trapno.so" "$HERE/noop64.c"
