#!/usr/bin/env bash
# tools/demo.sh: a tour of a finished build (./run demo calls it after ./run build).
#
# In one Xvfb session and the private Wine prefix $BUILD/wine: registers QUENTA01.DLL and the
# test picture box BXPICBOX.DLL, runs tests/vbs/demo_tour.vbs under cscript (it prints what the
# classes answer and saves four progress bars as BMPs in $BUILD/demo), joins the four pictures
# into $BUILD/demo/progress-bars.png with ImageMagick, runs the drawing gallery
# (brixen_gallery.exe, early bound: $BUILD/demo/drawing.png), shows tooltips over a form and
# captures them from the screen (brixen_tooltips.exe, early bound: $BUILD/demo/tooltip.png),
# shows the common dialogs over the same form and captures them (brixen_dialogs.exe: the open
# dialog with captions of its own in the bottom right corner, the save dialog centred with
# Japanese captions under the Japanese locale, the colour dialog with custom colours:
# $BUILD/demo/dialog-*.png), unregisters both DLLs and prints the PNGs' paths. Exits 1 when any
# step fails.
set -uo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/wine-env.sh"

DLL=$BUILD/x64/QUENTA01.DLL
PICBOX=$BUILD/x64/BXPICBOX.DLL
DEMO=$BUILD/demo
PNG=$DEMO/progress-bars.png
GALLERY=$BUILD/x64/tools/brixen_gallery.exe
TOOLTIPS=$BUILD/x64/tools/brixen_tooltips.exe
DIALOGS=$BUILD/x64/tools/brixen_dialogs.exe
TOUR=$ROOT/tests/vbs/demo_tour.vbs

fail() {
  echo "demo: $1" >&2
  brixen_unregister "$DLL"
  brixen_unregister "$PICBOX"
  exit 1
}

for f in "$DLL" "$PICBOX" "$GALLERY" "$TOOLTIPS" "$DIALOGS"; do
  [ -f "$f" ] || { echo "demo: no $f (run ./run build first)" >&2; exit 1; }
done
command -v convert >/dev/null || { echo "demo: ImageMagick's convert is missing" >&2; exit 1; }

mkdir -p "$DEMO"
rm -f "$DEMO"/bar-*.bmp "$PNG" "$DEMO/tour.txt" "$DEMO"/drawing.* "$DEMO"/tooltip.* "$DEMO"/dialog-*

brixen_xvfb_start || exit 1
brixen_wine_prepare || exit 1
brixen_locale en
brixen_register "$DLL" || fail "cannot register $DLL"
brixen_register "$PICBOX" || fail "cannot register $PICBOX"

echo
timeout -k 5 120 env LC_ALL="$BRIXEN_LC_ALL" "$BRIXEN_WINE" cscript //nologo "$(brixen_winpath "$TOUR")" "$(brixen_winpath "$DEMO")" \
  2>/dev/null | tr -d '\r' | tee "$DEMO/tour.txt"
status=${PIPESTATUS[0]}
[ "$status" = 0 ] || fail "cscript exited with $status"
# Wine's script host stops silently on a script error: the last line tells whether it finished.
[ "$(grep -v '^[[:space:]]*$' "$DEMO/tour.txt" | tail -1)" = "End of the tour." ] ||
  fail "the tour stopped early (a script error: Wine reports none)"

bmps=("$DEMO"/bar-1.bmp "$DEMO"/bar-2.bmp "$DEMO"/bar-3.bmp "$DEMO"/bar-4.bmp)
for f in "${bmps[@]}"; do [ -f "$f" ] || fail "no $f"; done
# Each bar framed in grey, stacked with a gap, on a light background.
convert "${bmps[@]}" -bordercolor '#808080' -border 1 -bordercolor '#f0f0f0' -border 8 -background '#f0f0f0' \
  -append +repage "$PNG" || fail "ImageMagick could not join the pictures"

timeout -k 5 60 "$BRIXEN_WINE" "$GALLERY" "$(brixen_winpath "$DEMO/drawing.bmp")" || fail "the drawing gallery failed"
convert "$DEMO/drawing.bmp" "$DEMO/drawing.png" || fail "ImageMagick could not convert the gallery"

timeout -k 5 60 "$BRIXEN_WINE" "$TOOLTIPS" "$(brixen_winpath "$DEMO/tooltip.bmp")" || fail "the tooltip demo failed"
convert "$DEMO/tooltip.bmp" "$DEMO/tooltip.png" || fail "ImageMagick could not convert the tooltip picture"

# dialog MODE NAME [ja]: one dialog of brixen_dialogs.exe captured into $DEMO/NAME.png, under the
# Japanese locale when asked.
dialog() {
  local bmp=$DEMO/$2.bmp
  ${3:+brixen_ja} timeout -k 5 60 "$BRIXEN_WINE" "$DIALOGS" "$1" "$(brixen_winpath "$bmp")" &&
    convert "$bmp" "$DEMO/$2.png"
}
dialog open dialog-open || fail "the open dialog demo failed"
dialog color dialog-color || fail "the colour dialog demo failed"
# The face the Japanese dialog resources ask for, "MS UI Gothic", drawn with the IPA font (the
# title bar's text too); only for this picture, as the setting changes English text as well.
brixen_wine_setting 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' /d IPAPGothic
dialog save dialog-save-ja ja
status=$?
"$BRIXEN_WINE" --64 reg delete 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' /f >/dev/null 2>&1
[ "$status" = 0 ] || fail "the save dialog demo failed"

brixen_unregister "$DLL"
brixen_unregister "$PICBOX"
echo
echo "Progress bars: $PNG"
echo "Drawing:       $DEMO/drawing.png"
echo "Tooltips:      $DEMO/tooltip.png"
echo "Dialogs:       $DEMO/dialog-open.png $DEMO/dialog-save-ja.png $DEMO/dialog-color.png"
