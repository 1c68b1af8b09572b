#!/usr/bin/env bash
# tools/package.sh: the release package of a finished build (./run package calls it after
# ./run build): $BUILD/dist/BRIXEN-<version>.zip with
#   x64/QUENTA01.DLL, x86/QUENTA01.DLL   stripped, each with its debug symbols beside it
#                                        (QUENTA01.DLL.debug, linked by a debug link)
#   x64/brixen.tlb, x86/brixen.tlb       the type libraries (SYS_WIN64, SYS_WIN32)
#   include/brixen.h, include/brixen_i.c the C/C++ header and identifiers
#   register-*.cmd, unregister-*.cmd     for the machine or the current user, in each bitness
#   README.txt                           for users
#   reference.md                         every class, member and enumeration (docs/reference.md)
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(cd "$HERE/.." && pwd)
BUILD=${BUILD:-$ROOT/build}
VERSION=1.0.0.584
NAME=BRIXEN-$VERSION
STAGE=$BUILD/dist/$NAME
ZIP=$BUILD/dist/$NAME.zip

rm -rf "$STAGE" "$ZIP"
mkdir -p "$STAGE/x64" "$STAGE/x86" "$STAGE/include"

# ARCH TRIPLE: the DLL without its symbols, and the symbols in a file of their own beside it.
stage_dll() {
  local arch=$1 triple=$2 dll=$BUILD/$1/QUENTA01.DLL out=$STAGE/$1
  [ -f "$dll" ] || { echo "package: no $dll (./run build first)" >&2; exit 1; }
  "$triple-objcopy" --only-keep-debug "$dll" "$out/QUENTA01.DLL.debug"
  "$triple-strip" --strip-all -o "$out/QUENTA01.DLL" "$dll"
  (cd "$out" && "$triple-objcopy" --add-gnu-debuglink=QUENTA01.DLL.debug QUENTA01.DLL)
  cp "$BUILD/$1/gen/brixen.tlb" "$out/brixen.tlb"
}
stage_dll x64 x86_64-w64-mingw32
stage_dll x86 i686-w64-mingw32
cp "$BUILD/x64/gen/brixen.h" "$BUILD/x64/gen/brixen_i.c" "$STAGE/include/"

# The scripts run from the package's folder; the 32-bit regsvr32 of a 64-bit system lives in
# SysWOW64 (on a 32-bit system there is only the one in System32).
script() {  # NAME BITS ACTION(register|unregister) SCOPE(machine|user)
  local regsvr arguments
  if [ "$2" = 32 ]; then
    regsvr='if exist "%SystemRoot%\SysWOW64\regsvr32.exe" (set REGSVR="%SystemRoot%\SysWOW64\regsvr32.exe") else (set REGSVR="%SystemRoot%\System32\regsvr32.exe")'
  else
    regsvr='set REGSVR="%SystemRoot%\System32\regsvr32.exe"'
  fi
  arguments=""
  [ "$3" = unregister ] && arguments="/u "
  [ "$4" = user ] && arguments="$arguments/n /i:user "
  local dir=x64
  [ "$2" = 32 ] && dir=x86
  printf '@echo off\r\nrem %s the %s-bit QUENTA01.DLL for %s.\r\n%s\r\n%%REGSVR%% %s"%%~dp0%s\\QUENTA01.DLL"\r\n' \
    "$3s" "$2" "$([ "$4" = user ] && echo "the current user" || echo "the whole machine (run as administrator)")" \
    "$regsvr" "$arguments" "$dir" | sed 's/registers/Registers/; s/unregisters/Unregisters/' >"$STAGE/$1"
}
for bits in 64 32; do
  script "register-machine-$bits.cmd" "$bits" register machine
  script "register-user-$bits.cmd" "$bits" register user
  script "unregister-machine-$bits.cmd" "$bits" unregister machine
  script "unregister-user-$bits.cmd" "$bits" unregister user
done
sed 's/$/\r/' "$ROOT/tools/package-readme.txt" >"$STAGE/README.txt"
cp "$ROOT/docs/reference.md" "$STAGE/reference.md"

(cd "$BUILD/dist" && zip -qr "$NAME.zip" "$NAME")
echo "package: $ZIP"
ls -l "$STAGE/x64/QUENTA01.DLL" "$STAGE/x86/QUENTA01.DLL" | awk '{print "  " $5 " bytes  " $9}'
"$HERE/package-check.sh" "$ZIP"
