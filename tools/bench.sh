#!/usr/bin/env bash
# tools/bench.sh: the cost of one call into the library (./run bench calls it after ./run build).
#
# In the private Wine prefix $BUILD/wine, under the English locale: registers
# $BUILD/x64/QUENTA01.DLL, runs the C++ benchmark (early binding through the slot, IDispatch::Invoke
# with a cached DISPID and by name) and the VBScript one (late binding by name from a script), each
# against Scripting.FileSystemObject measured in the same run, then unregisters. The VBScript one
# runs again against $BUILD/x86/QUENTA01.DLL through the 32-bit cscript in the prefix
# $BUILD/wine32 (emulated: only its ratios mean anything).
# Numbers are ratios to that baseline; they inform and fail nothing. Exit 1 only when a benchmark
# could not run (a failed call, no VBS-OK line, a timeout).
#
#   BRIXEN_BENCH_ROUNDS (5) and BRIXEN_BENCH_MS (150) tune the C++ benchmark.
#   BRIXEN_BENCH_PREFIX=DIR runs in a Wine prefix of its own (created on first use; the 32-bit
#   part in DIR32), away from test runs in $BUILD/wine: their wineserver restarts end every Wine
#   process of the prefix.
set -uo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/wine-env.sh"
# bench_bits 64|32: the Wine processes that follow, in the benchmark's prefix of that bitness.
bench_bits() {
  brixen_bits "$1"
  if [ -n "${BRIXEN_BENCH_PREFIX:-}" ]; then
    export WINEPREFIX=$BRIXEN_BENCH_PREFIX${1/64/}
    BRIXEN_LOCALE_FILE=$WINEPREFIX/.brixen-locale
  fi
}

DLL=$BUILD/x64/QUENTA01.DLL
DLL32=$BUILD/x86/QUENTA01.DLL
BENCH_EXE=$BUILD/x64/tests/bench/brixen_call_bench.exe
BENCH_VBS=$ROOT/tests/bench/call_bench.vbs
LOGS=$BUILD/bench
mkdir -p "$LOGS"
failures=0

failed() {  # what, output log (its stderr beside it in LOG.err)
  echo "FAIL $1"
  if [ -s "$2" ]; then
    sed 's/^/    | /' "$2"
  else
    echo "    no output. A script error stops cscript silently; another run restarting this prefix's"
    echo "    wineserver ends every Wine process in it (BRIXEN_BENCH_PREFIX=DIR isolates the benchmark)."
    echo "    stderr: $2.err"
  fi
  failures=$((failures + 1))
}

exit_text() {  # status of a timed-out or killed run in words
  case "$1" in
    124) echo "exit 124: timed out" ;;
    129 | 1[3-9]? | 2??) echo "exit $1: killed by signal $(($1 - 128))" ;;
    *) echo "exit $1" ;;
  esac
}

for f in "$DLL" "$DLL32" "$BENCH_EXE"; do
  [ -f "$f" ] || { echo "FAIL no $f (./run build first)"; exit 1; }
done

# No windows are shown: any display, or none, will do.
bench_bits 64
brixen_wine_prepare || exit 1
brixen_locale en
brixen_register "$DLL" || { echo "FAIL registering $DLL"; exit 1; }
trap 'bench_bits 64; brixen_unregister "$DLL"' EXIT

# run_exe TITLE NAME TIMEOUT ARGS...: one benchmark program of the x64 build; its report ends in
# VERDICT lines.
run_exe() {
  local title=$1 name=$2 limit=$3
  shift 3
  echo "== $title"
  local log=$LOGS/$name.out
  timeout -k 5 "$limit" env LC_ALL="$BRIXEN_LC_ALL" "$BRIXEN_WINE" "$BUILD/x64/tests/bench/$name.exe" "$@" \
    2>"$log.err" | tr -d '\r' >"$log"
  local status=${PIPESTATUS[0]}
  if [ "$status" = 0 ] && grep -q '^VERDICT' "$log"; then
    cat "$log"
  else
    failed "$name.exe ($(exit_text "$status"))" "$log"
  fi
}

run_exe "C++ client (ns per call; ratio to (d), the platform's late-bound call)" brixen_call_bench 300 \
  "${BRIXEN_BENCH_ROUNDS:-5}" "${BRIXEN_BENCH_MS:-150}"

# run_vbs_bench TITLE LIMIT: the VBScript benchmark through the bitness's cscript.
run_vbs_bench() {
  echo "== $1"
  local log=$LOGS/call_bench_vbs$BRIXEN_BITS.out
  timeout -k 5 "$2" env LC_ALL="$BRIXEN_LC_ALL" "$BRIXEN_WINE" cscript //nologo "$(brixen_winpath "$BENCH_VBS")" \
    2>"$log.err" | tr -d '\r' >"$log"
  local status=${PIPESTATUS[0]}
  # Wine's script host reports no script errors: a script that stopped early exits 0 without VBS-OK.
  if [ "$status" = 0 ] && [ "$(grep -v '^[[:space:]]*$' "$log" | tail -1)" = VBS-OK ]; then
    grep -v '^VBS-OK$' "$log"
  else
    failed "call_bench.vbs, $BRIXEN_BITS-bit ($(exit_text "$status"); no VBS-OK: the script stopped before its end)" "$log"
  fi
}

run_vbs_bench "VBScript client (late bound by name, microseconds per call)" 300

run_exe "folder listings (clsFILE against a plain FindFirstFileW loop, same run)" brixen_folders_bench 600 \
  "${BRIXEN_BENCH_ROUNDS:-5}"
run_exe "EnCode of a 256 MiB file (clsFILE against the platform's CopyFileW, same run)" brixen_encode_bench 300 \
  "${BRIXEN_BENCH_ROUNDS:-5}" 256
run_exe "drawing over 1920 x 1080 (clsMethod against plain loops drawing straight into the target, same run)" \
  brixen_drawing_bench 300 "${BRIXEN_BENCH_ROUNDS:-5}"
run_exe "caption search (clsProperty against a plain enumeration reading every caption, same run)" \
  brixen_windows_bench 300 "${BRIXEN_BENCH_ROUNDS:-5}"

# The 32-bit script host with the 32-bit DLL, emulated: absolute times mean nothing, the
# ratio to the platform's own object in the same run is what counts.
bench_bits 32
if brixen_wine_prepare && brixen_locale en && brixen_register "$DLL32"; then
  run_vbs_bench "VBScript client, 32-bit (emulated; the ratios count, not the microseconds)" 900
  brixen_unregister "$DLL32"
else
  failed "the 32-bit prefix or registering $DLL32" /dev/null
fi
bench_bits 64

((failures == 0))
