# Wine environment for the test tools; sourced, never run.
#
#   . tools/wine-env.sh
#   brixen_bits 64|32          bitness of the Wine processes that follow: its prefix ($BUILD/wine or
#                              $BUILD/wine32), its DLL (BRIXEN_DLL) and build folder (BRIXEN_ARCH)
#   brixen_xvfb_start          one X display for the whole run (it and the wineserver are stopped
#                              when the shell exits)
#   brixen_wine_prepare        private prefix of the bitness: created once, virtual desktop, drives
#   brixen_locale en|ja        system locale of the Wine processes that follow (restarts the wineserver)
#   brixen_wine CMD...         Wine of the bitness (tools/wine-run) running CMD under the current locale
#   brixen_ja CMD...           run CMD (any command that starts Wine) under the Japanese locale
#   brixen_register DLL / brixen_unregister DLL
#   brixen_prefix_copy SOURCE COPY  a throwaway copy of a prefix
#
# Nothing is written to $HOME: the prefix lives in the build folder and the menu builder is off.

: "${ROOT:=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
: "${BUILD:=$ROOT/build}"
export ROOT BUILD
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d"
# The 64-bit loader and server by their paths (the plain commands may start the 32-bit ones);
# Wine finds a 32-bit process's loader from WINELOADER by dropping the "64".
export WINELOADER=/usr/lib/wine/wine64
export WINESERVER=/usr/lib/wine/wineserver64
# The shim the 32-bit processes need under qemu (tools/wow64/build-shim.sh, run by ./run build).
export NSRUN_SHIM=$BUILD/wow64-shim
BRIXEN_WINE=$ROOT/tools/wine-run

BRIXEN_DESKTOP_SIZE=1024x768

# Linux path -> Windows path, without starting Wine: the prefix maps Z: to /.
brixen_winpath() {
  local p
  p=$(realpath -m "$1")
  printf 'Z:%s\n' "${p//\//\\}"
}

export BRIXEN_DLL64=$(brixen_winpath "$BUILD/x64/QUENTA01.DLL")
export BRIXEN_DLL32=$(brixen_winpath "$BUILD/x86/QUENTA01.DLL")

# --- bitness -------------------------------------------------------------------------------------

# brixen_bits 64|32: the 64-bit run uses the prefix $BUILD/wine and the x64 build, the 32-bit
# run a WoW64 prefix of its own, $BUILD/wine32, and the x86 build, whose programs (cscript,
# regsvr32, the test program) are the 32-bit ones, emulated. BRIXEN_DLL names the DLL that the
# run's processes load.
brixen_bits() {
  case "$1" in
    64) BRIXEN_ARCH=x64; WINEPREFIX=$BUILD/wine ;;
    32) BRIXEN_ARCH=x86; WINEPREFIX=$BUILD/wine32 ;;
    *) echo "wine-env: unknown bitness '$1' (64|32)" >&2; return 2 ;;
  esac
  export BRIXEN_BITS=$1 BRIXEN_ARCH WINEPREFIX
  # Wine's recycle bin is the desktop's trash under XDG_DATA_HOME: keep it inside the prefix.
  export XDG_DATA_HOME=$WINEPREFIX/xdg-data
  export BRIXEN_DLL=$(brixen_winpath "$BUILD/$BRIXEN_ARCH/QUENTA01.DLL")
  BRIXEN_LOCALE_FILE=$WINEPREFIX/.brixen-locale  # locale the running wineserver was started under
  export BRIXEN_FD_MEDIUM=$(brixen_winpath "$WINEPREFIX/brixen-drives/floppy-a")
}
brixen_bits "${BRIXEN_BITS:-64}"

# --- display -------------------------------------------------------------------------------------

# Starts Xvfb on a free display and exports DISPLAY; the server ends with the calling shell.
# Message boxes need a display: without one they return 0 at once.
brixen_xvfb_start() {
  [ -n "${BRIXEN_XVFB_PID:-}" ] && return 0
  local fifo
  fifo=$(mktemp -u "${TMPDIR:-/tmp}/brixen-xvfb.XXXXXX")
  mkfifo "$fifo"
  Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp 9>"$fifo" >/dev/null 2>&1 &
  BRIXEN_XVFB_PID=$!
  local display
  read -r -t 10 display <"$fifo" || display=
  rm -f "$fifo"
  if [ -z "$display" ]; then
    echo "wine-env: Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=:$display
  trap brixen_xvfb_stop EXIT
  # A wineserver left from a display-less run would keep its window-less desktop.
  brixen_wineservers_stop
}

brixen_xvfb_stop() {
  [ -n "${BRIXEN_XVFB_PID:-}" ] || return 0
  brixen_wineservers_stop
  kill "$BRIXEN_XVFB_PID" 2>/dev/null
  wait "$BRIXEN_XVFB_PID" 2>/dev/null
  BRIXEN_XVFB_PID=
}

# --- prefix --------------------------------------------------------------------------------------

brixen_wineserver_stop() {
  if [ -d "$WINEPREFIX" ]; then
    wineserver -k 2>/dev/null
    wineserver -w 2>/dev/null
  fi
  rm -f "$BRIXEN_LOCALE_FILE"
  return 0
}

# Ends the sessions of both prefixes (a display change, the end of the run).
brixen_wineservers_stop() {
  local bits=$BRIXEN_BITS b
  for b in 64 32; do
    brixen_bits $b
    brixen_wineserver_stop
  done
  brixen_bits "$bits"
}

brixen_wine_prepare() {
  if [ ! -f "$WINEPREFIX/.brixen-ready" ]; then
    brixen_wine_create || return 1
  fi
  mkdir -p "$XDG_DATA_HOME"
  brixen_wine_drives
}

# Wine's own settings are read by its 64-bit parts: they are written by the 64-bit reg (a 32-bit
# one would write them to the registry's 32-bit view).
brixen_wine_setting() {
  "$BRIXEN_WINE" --64 reg add "$@" /f >/dev/null 2>&1
}

brixen_wine_create() {
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  # No Mono or Gecko: their installers would ask through dialogs, and nothing here needs them.
  # The 64-bit wineboot makes a WoW64 prefix: the 32-bit programs land in syswow64.
  WINEDLLOVERRIDES="$WINEDLLOVERRIDES;mscoree,mshtml=" "$BRIXEN_WINE" --64 wineboot --init >/dev/null 2>&1 || {
    echo "wine-env: wineboot --init failed" >&2
    return 1
  }
  wineserver -w
  # A 32-bit run that cannot start the 32-bit Wine fails here, loudly; it is never skipped.
  if [ "$BRIXEN_BITS" = 32 ] && ! "$BRIXEN_WINE" cmd /c exit </dev/null >/dev/null 2>&1; then
    echo "wine-env: the 32-bit Wine does not start (tools/wow64/nsrun.sh: qemu-user, binfmt_misc in a user namespace)" >&2
    return 1
  fi
  # A virtual desktop of fixed size: message boxes close at once (no window manager to wait
  # for) and screen and work-area sizes are the same on every machine.
  brixen_wine_setting 'HKCU\Software\Wine\Explorer' /v Desktop /d Default &&
    brixen_wine_setting 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$BRIXEN_DESKTOP_SIZE" || {
    echo "wine-env: cannot set the virtual desktop" >&2
    return 1
  }
  brixen_wineserver_stop
  touch "$WINEPREFIX/.brixen-ready"
}

# Drives the tests expect beyond C: and Z:. Runs on every prepare, so it must stay idempotent.
#   A:  removable, no medium: its link points to a missing folder, which Wine reports as a drive
#       of type removable that is not ready (the root cannot be listed). A test "inserts the
#       disk" by creating the folder named in BRIXEN_FD_MEDIUM and removes it again.
#   R:  removable with a medium (a folder)
#   S:  CD-ROM with a medium (a folder)
# The drive types are read when a Wine session starts: a first setup ends the running session.
brixen_wine_drives() {
  local media=$WINEPREFIX/brixen-drives
  mkdir -p "$WINEPREFIX/dosdevices" "$media/removable-r" "$media/cdrom-s" || return 1
  rm -rf "$media/floppy-a"  # a disk left in by an interrupted test
  ln -sfn "$media/floppy-a" "$WINEPREFIX/dosdevices/a:" &&
    ln -sfn "$media/removable-r" "$WINEPREFIX/dosdevices/r:" &&
    ln -sfn "$media/cdrom-s" "$WINEPREFIX/dosdevices/s:" || return 1
  [ -f "$WINEPREFIX/.brixen-drives" ] && return 0
  local drive type
  for drive in a:floppy r:floppy s:cdrom; do
    type=${drive#*:}
    brixen_wine_setting 'HKLM\Software\Wine\Drives' /v "${drive%%:*}:" /d "$type" || {
      echo "wine-env: cannot set the type of drive ${drive%%:*}:" >&2
      return 1
    }
  done
  brixen_wineserver_stop
  touch "$WINEPREFIX/.brixen-drives"
}

# --- locale --------------------------------------------------------------------------------------

# Wine takes the locale from LC_ALL/LANG, and the first process of a session rewrites the user's
# regional settings in the registry to match; a process started while that happens may still see
# the previous locale. So a change of locale ends the session and starts one that stays up (a
# persistent wineserver) after a first process has settled the settings.
brixen_locale() {
  local want
  case "$1" in
    en) want=C.UTF-8 ;;
    ja) want=ja_JP.UTF-8 ;;
    *) echo "wine-env: unknown locale '$1' (en|ja)" >&2; return 2 ;;
  esac
  export BRIXEN_LC_ALL=$want
  local have=
  [ -f "$BRIXEN_LOCALE_FILE" ] && have=$(cat "$BRIXEN_LOCALE_FILE")
  [ "$have" = "$want" ] && return 0
  brixen_wineserver_stop
  [ -d "$WINEPREFIX" ] || return 0
  # No inherited output: a caller reading this shell's output through a pipe would wait for the
  # session's processes to end.
  LC_ALL=$want wineserver -p10 </dev/null >/dev/null 2>&1
  LC_ALL=$want "$BRIXEN_WINE" --64 cmd /c exit </dev/null >/dev/null 2>&1
  echo "$want" >"$BRIXEN_LOCALE_FILE"
}

brixen_wine() {
  LC_ALL=${BRIXEN_LC_ALL:-C.UTF-8} "$BRIXEN_WINE" "$@"
}

# Runs CMD (which starts Wine processes) under the Japanese locale, then returns to English.
brixen_ja() {
  brixen_locale ja || return
  local rc=0
  LC_ALL=$BRIXEN_LC_ALL "$@" || rc=$?
  brixen_locale en
  return $rc
}

# --- registration --------------------------------------------------------------------------------

brixen_register() {
  [ -f "$1" ] || { echo "wine-env: no $1" >&2; return 1; }
  brixen_wine regsvr32 /s "$(brixen_winpath "$1")" >/dev/null 2>&1
}

brixen_unregister() {
  [ -f "$1" ] || return 0
  brixen_wine regsvr32 /s /u "$(brixen_winpath "$1")" >/dev/null 2>&1
}

# --- throwaway sessions --------------------------------------------------------------------------

# brixen_prefix_copy SOURCE COPY: a copy of a prefix for a Wine session of its own (a prefix at
# another path has its own wineserver); copy it while no session runs in SOURCE, so that its
# registry is written out. The system folders (1.2 GB of program files a session only reads)
# become hard links, the rest is copied.
brixen_prefix_copy() {
  local system=drive_c/windows folder
  rm -rf "$2"
  mkdir -p "$2" || return 1
  tar -C "$1" --exclude="./$system/system32" --exclude="./$system/syswow64" -cf - . | tar -C "$2" -xf - || return 1
  for folder in system32 syswow64; do
    [ ! -d "$1/$system/$folder" ] || cp -al "$1/$system/$folder" "$2/$system/$folder" || return 1
  done
  rm -f "$2/.brixen-locale"
}
