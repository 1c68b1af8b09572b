#!/usr/bin/env bash
# tools/test-all.sh: runs every test of a finished build (./run test calls it after ./run build).
#
#   1. native tests (ctest in $BUILD/native, sanitizers), then a 30 s libFuzzer run over the
#      run-time's text conversions ($BUILD/fuzz, clang; its corpus grows in $BUILD/fuzz/corpus)
#   2. in one Xvfb session and the private Wine prefix $BUILD/wine:
#      register $BUILD/x64/QUENTA01.DLL, run brixen_win_tests.exe (English; then the tests named
#      *Bilingual* again under the Japanese locale), run every tests/vbs/*_test.vbs
#      (English; then those named *_bilingual_* again under the Japanese locale), unregister.
# Prints results only; the last line sums the VBScript tests, one per file and locale:
# "N passed, M failed". Exits 1 when anything failed.
set -uo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/wine-env.sh"

DLL=$BUILD/x64/QUENTA01.DLL
WIN_TESTS=$BUILD/x64/tests/win/brixen_win_tests.exe
LOGS=$BUILD/test-logs
mkdir -p "$LOGS"
failures=0
vbs_passed=0
vbs_failed=0

failed() {
  echo "FAIL $1"
  failures=$((failures + 1))
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

# run_win_tests [ja]: every test in English, or under the Japanese locale those whose name
# contains "Bilingual".
run_win_tests() {
  if [ ! -f "$WIN_TESTS" ]; then
    failed "no $WIN_TESTS"
    return
  fi
  local locale=${1:-en} filter=* label=win
  [ "$locale" = ja ] && filter=*Bilingual* label="win [ja]"
  brixen_locale "$locale"
  local log=$LOGS/win_tests_$locale.log
  # A run that ends without gtest's closing line (the process was killed) has failed too.
  if timeout -k 5 300 env LC_ALL="$BRIXEN_LC_ALL" wine "$WIN_TESTS" --gtest_brief=1 --gtest_color=no \
    --gtest_filter="$filter" >"$log" 2>&1 && tr -d '\r' <"$log" | grep -q '^\[  PASSED  \]'; then
    echo "$label: $(tr -d '\r' <"$log" | grep -m1 'PASSED')"
  else
    tr -d '\r' <"$log"
    failed "brixen_win_tests.exe [$locale]"
  fi
  brixen_locale en
}

# run_vbs FILE LOCALE
run_vbs() {
  if "$HERE/run-vbs.sh" "$1" --locale "$2"; then
    vbs_passed=$((vbs_passed + 1))
  else
    vbs_failed=$((vbs_failed + 1))
  fi
}

# Tests marked "'@standalone" use built-in objects only and run without the registered DLL.
vbs_tests() {  # [standalone-only]
  local file
  for file in "$ROOT"/tests/vbs/*_test.vbs; do
    [ -f "$file" ] || continue
    if [ -n "${1:-}" ] && ! grep -q "^'@standalone" "$file"; then continue; fi
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

run_native
run_fuzz
brixen_xvfb_start || exit 1
brixen_wine_prepare || exit 1
brixen_locale en

registered=yes
if ! brixen_register "$DLL"; then
  # until the server registers: tests needing the registered DLL are skipped, not failed.
  echo "SKIP: $DLL does not register yet; running only the VBScript tests marked '@standalone"
  registered=
fi

# Helper servers the tests drive (every other DLL of the x64 build) are registered beside it.
helpers=()
for dll in "$BUILD"/x64/*.DLL; do
  [ "$dll" = "$DLL" ] || [ ! -f "$dll" ] && continue
  if brixen_register "$dll"; then helpers+=("$dll"); else failed "registering $dll"; fi
done

run_win_tests
run_win_tests ja
if [ -n "$registered" ]; then
  run_all_vbs
  brixen_unregister "$DLL" || failed "unregistering $DLL"
else
  run_all_vbs standalone-only
fi

for dll in "${helpers[@]}"; do brixen_unregister "$dll" || failed "unregistering $dll"; done

echo "$vbs_passed passed, $vbs_failed failed"
((failures == 0 && vbs_failed == 0))
