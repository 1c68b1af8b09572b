#!/usr/bin/env bash
# tools/test-all.sh: runs every test of a finished build (./run test calls it after ./run build).
#
#   1. native tests (ctest in $BUILD/native, sanitizers), then a 30 s libFuzzer run over the
#      run-time's text conversions ($BUILD/fuzz, clang; its corpus grows in $BUILD/fuzz/corpus)
#   2. in one Xvfb session, the Wine suite twice: against the 64-bit DLL in the prefix
#      $BUILD/wine, then against the 32-bit DLL in the WoW64 prefix $BUILD/wine32, where the
#      32-bit programs run emulated (tools/wow64). Each run registers $BUILD/<arch>/QUENTA01.DLL
#      and the test helpers of that build, runs its brixen_win_tests.exe (English; then the tests
#      named *Bilingual* again under the Japanese locale) and every tests/vbs/*_test.vbs through
#      that bitness's cscript (English; then those named *_bilingual_* under Japanese), and
#      unregisters. BRIXEN_TEST_BITS="64" (or "32") runs one of the two.
#      Tests named *PrivateNetwork* (C++) and *_private_network_* (VBScript) ping: they run apart,
#      in a network namespace with only the loopback up (tools/private-network.sh runs this script
#      again with --private-network BITS), with their whole Wine session started inside it. Tests
#      named *ThrowawaySession* end the session they run in: they run in a copy of the prefix with
#      a wineserver of its own, removed afterwards. The leak tests (Leaks.*, LibraryUnload.*) run
#      each in a process of its own, and every member is called with bad arguments (tools/bad-input.sh).
#   A private print service (tools/print-service.sh) offers the printer tests a queue for the run.
# Prints results only; the last line sums the VBScript tests, one per file, locale and bitness:
# "N passed, M failed". Exits 1 when anything failed.
set -uo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/wine-env.sh"
. "$HERE/print-service.sh"

LOGS=$BUILD/test-logs
mkdir -p "$LOGS"
failures=0
vbs_passed=0
vbs_failed=0

failed() {
  echo "FAIL $1"
  failures=$((failures + 1))
}

seconds_since() {
  echo $(($(date +%s) - $1))
}

run_native() {
  local log=$LOGS/native.log
  if ctest --test-dir "$BUILD/native" --output-on-failure >"$log" 2>&1; then
    echo "native: $(grep -m1 'tests passed' "$log")"
  else
    cat "$log"
    failed "native tests"
  fi
}

run_fuzz() {
  local fuzzer=$BUILD/fuzz/tests/fuzz/brixen_text_fuzz log=$LOGS/fuzz.log
  if [ ! -f "$fuzzer" ]; then
    failed "no $fuzzer"
    return
  fi
  mkdir -p "$BUILD/fuzz/corpus"
  if "$fuzzer" -max_total_time=30 -max_len=4096 -timeout=10 -artifact_prefix="$LOGS/fuzz-" \
    "$BUILD/fuzz/corpus" "$ROOT/tests/fuzz/corpus" >"$log" 2>&1; then
    echo "fuzz: $(grep -m1 '^Done' "$log")"
  else
    grep -v '^"' "$log" | tail -n 60
    failed "fuzzing the text conversions (input in $LOGS/fuzz-*)"
  fi
}

# run_win_tests [ja|leaks TEST|private-network|throwaway]: the bitness's test program, every test
# of the main run in English; or under the Japanese locale those whose name contains "Bilingual";
# or one leak test; or those that run apart (see the top).
run_win_tests() {
  local exe=$BUILD/$BRIXEN_ARCH/tests/win/brixen_win_tests.exe
  if [ ! -f "$exe" ]; then
    failed "no $exe"
    return
  fi
  local part=${1:-en} locale=en filter='*-*PrivateNetwork*:*ThrowawaySession*:Leaks.*:LibraryUnload.*' label="win$BRIXEN_BITS"
  case "$part" in
    ja) locale=ja filter=*Bilingual* label="$label [ja]" ;;
    leaks) filter=$2 label="$label [$2]" ;;
    private-network) filter=*PrivateNetwork* label="$label [private network]" ;;
    throwaway) filter=*ThrowawaySession* label="$label [throwaway session]" ;;
  esac
  brixen_locale "$locale"
  local log=$LOGS/win${BRIXEN_BITS}_tests_$part${2:+_$2}.log
  # Emulated 32-bit code runs several times slower: its watchdogs get more time.
  local limit=300 watchdog=120
  [ "$BRIXEN_BITS" = 32 ] && limit=1200 watchdog=900
  [ "$part" = leaks ] && limit=1200 watchdog=900
  # A run that ends without gtest's closing line (the process was killed) has failed too.
  # The BSTR cache off: a text freed by mistake goes back to the heap at once (dispatch tests).
  if timeout -k 5 "$limit" env LC_ALL="$BRIXEN_LC_ALL" BRIXEN_WATCHDOG_SECONDS=$watchdog OANOCACHE=1 \
    "$BRIXEN_WINE" "$exe" --gtest_brief=1 --gtest_color=no --gtest_filter="$filter" >"$log" 2>&1 &&
    tr -d '\r' <"$log" | grep -q '^\[  PASSED  \]'; then
    echo "$label: $(tr -d '\r' <"$log" | grep '^\[  PASSED  \]' | tail -n 1)"
  else
    tr -d '\r' <"$log"
    failed "brixen_win_tests.exe [$BRIXEN_BITS-bit, $locale]"
  fi
  brixen_locale en
}

# run_leak_tests: the leak tests, each in a process of its own. The profile members' test refuses
# the message boxes of 20,000 logged errors, and Wine's server keeps the handle of each refused
# window: the next window the same process made crashed the server (tools/refused_boxes.h).
run_leak_tests() {
  local test
  for test in $(leak_test_names); do run_win_tests leaks "$test"; done
}

# leak_test_names: Suite.Test of every leak test the test program has, but the one that pings
# and the one the unload test starts in a process of its own.
leak_test_names() {
  "$BRIXEN_WINE" "$BUILD/$BRIXEN_ARCH/tests/win/brixen_win_tests.exe" --gtest_list_tests \
    --gtest_filter='Leaks.*:LibraryUnload.*-*PrivateNetwork*:LibraryUnload.Alone' 2>/dev/null | tr -d '\r' |
    awk '/^[^ ]/ { suite = $1 } /^  [^ ]/ { print suite $1 }'
}

# run_bad_input: every member called with bad arguments by the bitness's judge, in a throwaway
# Wine session of its own (tools/bad-input.sh).
run_bad_input() {
  local log=$LOGS/bad_input_win$BRIXEN_BITS.log
  if "$HERE/bad-input.sh" >"$log" 2>&1; then
    echo "win$BRIXEN_BITS: $(grep -m1 '^bad input:' "$log")"
  else
    grep -v 'Read access denied' "$log" | tail -n 80
    failed "bad input [$BRIXEN_BITS-bit]"
  fi
}

# run_vbs FILE LOCALE
run_vbs() {
  if "$HERE/run-vbs.sh" "$1" --locale "$2" --timeout "$VBS_TIMEOUT"; then
    vbs_passed=$((vbs_passed + 1))
  else
    vbs_failed=$((vbs_failed + 1))
  fi
}

# Tests marked "'@standalone" use built-in objects only and run without the registered DLL.
# Those named *_private_network_* run only in their own network namespace.
vbs_tests() {  # [standalone-only|private-network]
  local file
  for file in "$ROOT"/tests/vbs/*_test.vbs; do
    [ -f "$file" ] || continue
    case "${1:-}:$(basename "$file")" in
      private-network:*_private_network_*) ;;
      private-network:* | *:*_private_network_*) continue ;;
      standalone-only:*) grep -q "^'@standalone" "$file" || continue ;;
    esac
    echo "$file"
  done
}

run_all_vbs() {  # [standalone-only]
  local file
  for file in $(vbs_tests "${1:-}"); do run_vbs "$file" en; done
  for file in $(vbs_tests "${1:-}"); do
    case "$(basename "$file")" in *_bilingual_*) run_vbs "$file" ja ;; esac
  done
  brixen_locale en
}

# run_wine_suite 64|32: the whole Wine suite against one build.
run_wine_suite() {
  local started
  started=$(date +%s)
  brixen_bits "$1" || return
  VBS_TIMEOUT=60
  [ "$BRIXEN_BITS" = 32 ] && VBS_TIMEOUT=180
  echo "== Wine, $BRIXEN_BITS-bit ($BUILD/$BRIXEN_ARCH, prefix $WINEPREFIX)"
  if ! brixen_wine_prepare; then
    failed "no $BRIXEN_BITS-bit Wine prefix"
    return
  fi
  brixen_locale en
  local dll=$BUILD/$BRIXEN_ARCH/QUENTA01.DLL registered=yes
  if ! brixen_register "$dll"; then
    # until the server registers: tests needing the registered DLL are skipped, not failed.
    echo "SKIP: $dll does not register; running only the VBScript tests marked '@standalone"
    failed "registering $dll"
    registered=
  fi

  # Helper servers the tests drive (every other DLL of the build) are registered beside it.
  local helpers=() helper
  for helper in "$BUILD/$BRIXEN_ARCH"/*.DLL; do
    [ "$helper" = "$dll" ] || [ ! -f "$helper" ] && continue
    if brixen_register "$helper"; then helpers+=("$helper"); else failed "registering $helper"; fi
  done

  run_win_tests
  run_win_tests ja
  run_leak_tests
  [ -n "$registered" ] && run_bad_input
  if [ -n "$registered" ]; then
    run_all_vbs
    run_private_network
    run_throwaway_session
    brixen_unregister "$dll" || failed "unregistering $dll"
  else
    run_all_vbs standalone-only
  fi
  for helper in "${helpers[@]}"; do brixen_unregister "$helper" || failed "unregistering $helper"; done
  brixen_wineserver_stop
  echo "== Wine, $BRIXEN_BITS-bit: $(seconds_since "$started") s"
}

# run_private_network: the tests that ping, in a network namespace of their own. Wine sends echo
# requests from a service of the session, so the session ends first and the inner run starts
# the next one inside the namespace (and ends it there).
run_private_network() {
  local counts=$LOGS/win${BRIXEN_BITS}_private_network.counts passed=0 failed_vbs=0 problems=0
  brixen_wineserver_stop
  rm -f "$counts"
  "$HERE/private-network.sh" "$HERE/test-all.sh" --private-network "$BRIXEN_BITS" "$counts"
  if ! read -r passed failed_vbs problems <"$counts" 2>/dev/null; then
    failed "the private network run ($BRIXEN_BITS-bit) ended early"
    return
  fi
  vbs_passed=$((vbs_passed + passed))
  vbs_failed=$((vbs_failed + failed_vbs))
  failures=$((failures + problems))
}

# Inside the namespace: test-all.sh --private-network BITS COUNTS writes "passed failed problems".
if [ "${1:-}" = --private-network ]; then
  brixen_bits "$2" || exit 2
  VBS_TIMEOUT=60
  [ "$BRIXEN_BITS" = 32 ] && VBS_TIMEOUT=180
  run_win_tests private-network
  for file in $(vbs_tests private-network); do run_vbs "$file" en; done
  brixen_wineserver_stop
  echo "$vbs_passed $vbs_failed $failures" >"$3"
  exit 0
fi

# run_throwaway_session: the tests that end their Wine session, in a copy of the prefix made
# after the session ended (its registry written out), with a wineserver of its own.
run_throwaway_session() {
  local copy=$BUILD/throwaway-$BRIXEN_BITS
  brixen_wineserver_stop
  if ! brixen_prefix_copy "$WINEPREFIX" "$copy"; then
    failed "copying the prefix for the throwaway session"
    return
  fi
  (
    export WINEPREFIX=$copy XDG_DATA_HOME=$copy/xdg-data BRIXEN_THROWAWAY_SESSION=1
    BRIXEN_LOCALE_FILE=$copy/.brixen-locale
    rm -f "$BRIXEN_LOCALE_FILE"
    problems=$failures
    run_win_tests throwaway
    brixen_wineserver_stop
    exit $((failures - problems))
  ) || failures=$((failures + 1))
  rm -rf "$copy"
}

started=$(date +%s)
run_native
run_fuzz
echo "== native and fuzz: $(seconds_since "$started") s"
brixen_xvfb_start || exit 1
brixen_print_start || failed "starting the print service"
trap 'brixen_print_stop; brixen_xvfb_stop' EXIT
for bits in ${BRIXEN_TEST_BITS:-64 32}; do run_wine_suite "$bits"; done

echo "$vbs_passed passed, $vbs_failed failed"
((failures == 0 && vbs_failed == 0))
