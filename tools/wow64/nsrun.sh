#!/bin/sh
# nsrun.sh CMD...: runs CMD inside a private user and mount namespace where i386 ELF binaries
# are executed by qemu-i386 (these machines' kernels cannot execute 32-bit x86 code). The
# binfmt_misc registration is local to the namespace (Linux 6.7 and later): nothing changes for
# other processes on the machine. Every call makes a new namespace; the processes of different
# calls still share the file system (/tmp: the wineserver's socket, the X display) and the pids,
# so one wineserver serves them all.
#
# NSRUN_SHIM: the folder with lib/i386-linux-gnu/trapno.so (trapno32.c: the trap numbers qemu
# leaves out of the signal context, without which every handled fault kills a 32-bit Wine
# process) and lib/x86_64-linux-gnu/trapno.so (an empty library); build-shim.sh makes both.
# NSRUN_INSIDE=1 marks the processes inside; a nested call runs CMD in the same namespace.
[ "$NSRUN_INSIDE" = 1 ] && exec "$@"
if [ "$NSRUN_SETUP" != 1 ]; then
    exec unshare --user --map-root-user --mount env NSRUN_SETUP=1 "$0" "$@"
fi
unset NSRUN_SETUP
export NSRUN_INSIDE=1
mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc || { echo "nsrun.sh: no binfmt_misc in a user namespace (Linux 6.7 or later)" >&2; exit 90; }
echo ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386:F' \
    > /proc/sys/fs/binfmt_misc/register || { echo "nsrun.sh: cannot register qemu-i386 with binfmt_misc" >&2; exit 91; }
# Without it 32-bit Wine dies: "failed to map the shared user data: c0000018".
export QEMU_RESERVED_VA=0xffff0000
# ld.so expands $LIB per process (single quotes: not the shell): lib/i386-linux-gnu gives the
# shim, lib/x86_64-linux-gnu the empty library, so the 64-bit processes (the wineserver, qemu
# itself) load nothing of use and print no warning.
[ -f "$NSRUN_SHIM/lib/i386-linux-gnu/trapno.so" ] || { echo "nsrun.sh: no shim under NSRUN_SHIM=$NSRUN_SHIM" >&2; exit 92; }
export LD_PRELOAD="$NSRUN_SHIM"'/$LIB/trapno.so'
exec "$@"
