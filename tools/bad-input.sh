#!/usr/bin/env bash
# tools/bad-input.sh: every member of the library called with bad arguments, late bound and
# through its slots, judged call by call (tests/win/bad_input), for the bitness of BRIXEN_BITS
# (64 when unset). tools/test-all.sh runs it after the bitness's other tests; it needs a built
# tree and the bitness's prefix.
#
# The calls run in a Wine session of their own: a copy of the prefix (what members write there
# goes with it), with the DLL copied into it and registered there (its Err.log grows beside
# it), in a network namespace where only loopback is up (tools/private-network.sh: a name a
# member looks up never leaves the machine). Prints the judge's figures and every defect; exit 1 on a defect.
set -uo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/wine-env.sh"
brixen_bits "${BRIXEN_BITS:-64}"

exe=$BUILD/$BRIXEN_ARCH/tests/win/brixen_bad_input.exe
[ -f "$exe" ] || { echo "bad-input: no $exe" >&2; exit 1; }
copy=$BUILD/bad-input-$BRIXEN_BITS
# Run on its own, it brings its display (test-all.sh has one running).
[ -n "${DISPLAY:-}" ] || brixen_xvfb_start || exit 1
trap 'rm -rf "$copy"; brixen_xvfb_stop' EXIT
brixen_wineserver_stop
brixen_prefix_copy "$WINEPREFIX" "$copy" || { echo "bad-input: cannot copy $WINEPREFIX" >&2; exit 1; }
mkdir -p "$copy/drive_c/brixen" && cp "$BUILD/$BRIXEN_ARCH/QUENTA01.DLL" "$copy/drive_c/brixen/" || exit 1

# Emulated 32-bit code runs several times slower.
limit=1200
[ "$BRIXEN_BITS" = 32 ] && limit=5400
export WINEPREFIX=$copy BRIXEN_DLL='C:\brixen\QUENTA01.DLL' BRIXEN_WINE LC_ALL=C.UTF-8 OANOCACHE=1
"$HERE/private-network.sh" bash -c '
  "$BRIXEN_WINE" regsvr32 /s "$BRIXEN_DLL" || { echo "bad-input: $BRIXEN_DLL does not register" >&2; exit 1; }
  timeout -k 5 "$1" "$BRIXEN_WINE" "$2"
  rc=$?
  wineserver -k
  wineserver -w
  exit $rc' bad-input "$limit" "$exe"
