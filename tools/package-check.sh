#!/usr/bin/env bash
# tools/package-check.sh ZIP: the package as a user meets it: unpacked into a folder of its own,
# its register script run in a fresh Wine prefix to register the 64-bit DLL for the machine, a
# VBScript calling the library, its unregister script, and nothing of the library left in the
# registry. ./run package runs it after writing the package. Exit 1 on any failure.
set -uo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
ZIP=$(realpath "$1")
. "$HERE/wine-env.sh"

WORK=$BUILD/dist/check
rm -rf "$WORK"
mkdir -p "$WORK"
export WINEPREFIX=$WORK/prefix BRIXEN_LOCALE_FILE=$WORK/prefix/.brixen-locale
trap 'wineserver -k 2>/dev/null; rm -rf "$WORK"' EXIT
fail() { echo "package check: $1" >&2; exit 1; }

(cd "$WORK" && unzip -q "$ZIP") || fail "cannot unpack $ZIP"
folder=$(find "$WORK" -maxdepth 1 -name 'BRIXEN-*' -type d | head -1)
WINEDLLOVERRIDES="$WINEDLLOVERRIDES;mscoree,mshtml=" "$BRIXEN_WINE" wineboot --init >/dev/null 2>&1 || fail "wineboot failed"
wineserver -w

winfolder=$(brixen_winpath "$folder")
"$BRIXEN_WINE" cmd /c "$winfolder\\register-machine-64.cmd" >/dev/null 2>&1
cat >"$WORK/call.vbs" <<'VBS'
Set m = CreateObject("BRIXEN.clsMethod")
w = "ID = 1"
m.MakeWhereStr w, "NAME = 'A'"
WScript.Echo w
VBS
said=$("$BRIXEN_WINE" cscript //nologo "$(brixen_winpath "$WORK/call.vbs")" 2>/dev/null | tr -d '\r')
[ "$said" = "ID = 1 AND NAME = 'A'" ] || fail "the registered DLL answered '$said'"
"$BRIXEN_WINE" cmd /c "$winfolder\\unregister-machine-64.cmd" >/dev/null 2>&1
if "$BRIXEN_WINE" reg query 'HKCR\BRIXEN.clsMethod' >/dev/null 2>&1; then fail "unregistering left BRIXEN.clsMethod behind"; fi
echo "package check: registered from the package in a fresh prefix, called from VBScript, unregistered"
