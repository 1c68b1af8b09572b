#!/usr/bin/env bash
# run-vbs.sh FILE.vbs [--answers LIST] [--locale en|ja] [--timeout SECONDS]
#
# Runs one VBScript test under Wine's cscript, with tests/vbs/lib.vbs in front of it and
# tools/boxwatch beside it, and prints one line: "PASS name (seconds)" or "FAIL name: reason"
# followed by the script's output and the boxes it showed. Exit 0 on pass, 1 on fail.
#
# A test passes when its last line is VBS-OK (Done printed it: no check failed), cscript exited
# with 0 within the timeout, and boxwatch found every answer's button on its box and used all the
# answers. Answers come from --answers or from a line "'@answers yes,no" in the test; without
# them every box gets its default button. The box log (see tools/boxwatch.cpp for its format)
# is kept in $BUILD/vbs/NAME.boxes; the script reads a UTF-16 copy named in %BRIXEN_BOXLOG%
# (LastBox() in lib.vbs), and the locale it runs under in %BRIXEN_LOCALE% (TestLocale()).
#
# Uses the display in $DISPLAY, or starts its own Xvfb when there is none. One test at a time per
# display: boxwatch answers every message box on it. BRIXEN_BITS=32 runs it through the 32-bit
# cscript in the 32-bit prefix (tools/wine-env.sh).
set -uo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/wine-env.sh"

usage() { echo "usage: run-vbs.sh FILE.vbs [--answers LIST] [--locale en|ja] [--timeout SECONDS]" >&2; exit 2; }

test_file=${1:-}
[ -f "$test_file" ] || usage
shift
answers= locale=en timeout_s=60
while (($#)); do
  case "$1" in
    --answers) answers=${2:-}; shift 2 ;;
    --locale) locale=${2:-}; shift 2 ;;
    --timeout) timeout_s=${2:-}; shift 2 ;;
    *) usage ;;
  esac
done
label=$(basename "$test_file")
[ "$BRIXEN_BITS" = 64 ] || label="$label [${BRIXEN_BITS}-bit]"
[ "$locale" = en ] || label="$label [$locale]"
[ -n "$answers" ] || answers=$(sed -n "s/^'@answers[[:space:]]*//p" "$test_file" | head -1 | tr -d '[:space:]')

# The 64-bit watcher serves both runs: it reads the boxes of any process on the display, and
# runs natively where the 32-bit programs are emulated.
BOXWATCH=${BRIXEN_BOXWATCH:-$BUILD/x64/tools/boxwatch.exe}
name=$(basename "$test_file")
work=$BUILD/vbs/$BRIXEN_ARCH
mkdir -p "$work"
script=$work/${name%.vbs}.run.vbs
boxes=$work/${name%.vbs}.boxes
boxes16=$work/${name%.vbs}.boxes16
output=$work/${name%.vbs}.out
stop=$work/${name%.vbs}.stop
watch_err=$work/${name%.vbs}.boxwatch

fail() {
  echo "FAIL $label: $1"
  [ -s "$output" ] && sed 's/^/    | /' "$output"
  [ -s "$boxes" ] && sed 's/^/    box: /' "$boxes"
  exit 1
}

[ -f "$BOXWATCH" ] || fail "no $BOXWATCH (build the x64 tree first)"
[ -n "${DISPLAY:-}" ] || brixen_xvfb_start || fail "no display"
brixen_wine_prepare || fail "no Wine prefix"
brixen_locale "$locale" || fail "unknown locale $locale"

cat "$HERE/../tests/vbs/lib.vbs" "$test_file" >"$script"
rm -f "$boxes" "$boxes16" "$output" "$stop"

start=$(date +%s%N)
LC_ALL=$BRIXEN_LC_ALL "$BRIXEN_WINE" --64 "$BOXWATCH" --log "$(brixen_winpath "$boxes")" --log16 "$(brixen_winpath "$boxes16")" --answers "$answers" \
  --stop-file "$(brixen_winpath "$stop")" --timeout $((timeout_s + 30)) >"$watch_err" 2>&1 &
watcher=$!

BRIXEN_LOCALE=$locale BRIXEN_BOXLOG=$(brixen_winpath "$boxes16") timeout -k 5 "$timeout_s" \
  env LC_ALL="$BRIXEN_LC_ALL" "$BRIXEN_WINE" cscript //nologo "$(brixen_winpath "$script")" 2>/dev/null | tr -d '\r' >"$output"
status=${PIPESTATUS[0]}

touch "$stop"
wait "$watcher"
watch_status=$?
rm -f "$stop"
tenths=$((($(date +%s%N) - start) / 100000000))

[ "$status" = 124 ] && fail "timed out after $timeout_s s"
[ "$status" = 0 ] || fail "cscript exited with $status"
last=$(grep -v '^[[:space:]]*$' "$output" | tail -1)
if [ "$last" != VBS-OK ]; then
  summary=$(grep -E '^[0-9]+ passed, [0-9]+ failed$' "$output" | tail -1)
  [ -n "$summary" ] && fail "$summary"
  fail "the script stopped before Done (a run-time or syntax error: Wine reports none)"
fi
[ "$watch_status" = 0 ] || fail "message boxes: $(tr '\n' ' ' <"$watch_err")"
echo "PASS $label ($((tenths / 10)).$((tenths % 10)) s)"
