# Shared by scripts/demo and scripts/test: the private Wine prefix, the X
# display and the Wine session. Source it; nothing runs on its own.

PELMORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# The program is a 32-bit Windows program, run by the 32-bit Wine: the tests
# drive the shipped Pelmora.exe and Lirvo.dll. Some machines (sandboxed
# kernels) cannot execute 32-bit Linux programs at all; there the same
# sources are built for 64-bit Windows and run by the 64-bit Wine, and the
# shipped files are only checked without running them.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  PELMORA_ARCH=i686
  export WINEARCH=win32
  WINE=/usr/lib/wine/wine
  PELMORA_RUN_PRESET=windows-tests
else
  PELMORA_ARCH=x86_64
  export WINEARCH=win64
  WINE=/usr/lib/wine/wine64
  PELMORA_RUN_PRESET=windows-x64
fi
export WINELOADER="$WINE"
export WINEPREFIX="$PELMORA_ROOT/build/wine-$PELMORA_ARCH"
PELMORA_RUN_BUILD="$PELMORA_ROOT/build/$PELMORA_RUN_PRESET"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

PELMORA_STARTED_XVFB=
PELMORA_STARTED_SESSION=

# Creates the 32-bit prefix once: a virtual desktop so windows have frames,
# Wine's own fonts, CJK replacements for the faces the program asks for.
pelmora_prefix_create() {
  [ -f "$WINEPREFIX/.pelmora-ready" ] && return 0
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  "$WINE" wineboot -i </dev/null >/dev/null 2>&1
  wineserver -w
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  local reg="$WINEPREFIX/pelmora.reg"
  local cjk=/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc
  {
    printf 'REGEDIT4\n\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\n"Desktop"="Default"\n\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\n"Default"="1024x768"\n\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\n'
    for face in "MS UI Gothic" "MS Gothic" "MS PGothic" "MS Mincho" "MS PMincho" "Meiryo" "Meiryo UI" "Yu Gothic"; do
      printf '"%s"="Noto Sans CJK JP"\n' "$face"
    done
    for face in "SimSun" "NSimSun" "SimHei" "Microsoft YaHei" "KaiTi" "FangSong"; do
      printf '"%s"="Noto Sans CJK SC"\n' "$face"
    done
    printf '"Arial"="Liberation Sans"\n"Times New Roman"="Liberation Serif"\n"Courier New"="Liberation Mono"\n\n'
    printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]\n'
    printf '"Tahoma"=hex(7):%s\n\n' "$(printf '%s\0%s\0\0' "$(basename "$cjk"),Noto Sans CJK JP" "$(basename "$cjk"),Noto Sans CJK SC" | od -An -tx1 -v | tr -s ' \n' ',' | sed 's/^,//;s/,$//')"
    printf '[HKEY_LOCAL_MACHINE\\Software\\Wine\\Drives]\n"d:"="cdrom"\n"e:"="floppy"\n\n'
  } >"$reg"
  "$WINE" regedit /S "$reg" </dev/null >/dev/null 2>&1
  # Localized names of the Chinese and Japanese faces.
  "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v '宋体' /d 'Noto Sans CJK SC' /f </dev/null >/dev/null 2>&1
  "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ ゴシック' /d 'Noto Sans CJK JP' /f </dev/null >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.pelmora-ready"
}

# Maps drive letters to folders: pelmora_map_drive d /path/to/folder.
# Must happen before the session starts: the mount manager keeps what it saw.
pelmora_map_drive() {
  mkdir -p "$2"
  ln -sfn "$2" "$WINEPREFIX/dosdevices/$1:"
}

# An X display: the caller's, or a private Xvfb on a free display number.
pelmora_display_start() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local fifo; fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  PELMORA_STARTED_XVFB=$!
  local number
  read -r -t 20 number <"$fifo" || true
  rm -f "$fifo"
  [ -n "$number" ] || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$number"
}

# A persistent wineserver and the prefix's services, with their output on
# /dev/null so that no pipe of a test stays open behind them.
pelmora_session_start() {
  wineserver -k </dev/null >/dev/null 2>&1 || true
  wineserver -w </dev/null >/dev/null 2>&1 || true
  wineserver -p </dev/null >/dev/null 2>&1
  "$WINE" wineboot </dev/null >/dev/null 2>&1
  PELMORA_STARTED_SESSION=1
}

# The screen's dots per inch that the prefix's programs see (96, 120, 144,
# 192: the size the user picked for fonts); Wine reads it when its session
# starts, so the session starts again.
pelmora_set_dpi() {
  "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f </dev/null >/dev/null 2>&1
  pelmora_session_start
}

pelmora_session_stop() {
  if [ -n "$PELMORA_STARTED_SESSION" ]; then
    wineserver -k </dev/null >/dev/null 2>&1 || true
    PELMORA_STARTED_SESSION=
  fi
  if [ -n "$PELMORA_STARTED_XVFB" ]; then
    kill "$PELMORA_STARTED_XVFB" 2>/dev/null || true
    wait "$PELMORA_STARTED_XVFB" 2>/dev/null || true
    PELMORA_STARTED_XVFB=
  fi
}

# Builds the shipped 32-bit program first, then the build the tests run: the
# 32-bit test build, whose sample disc takes the shipped files from the
# first, or the 64-bit twin. A build folder is configured again when the
# presets changed after it was configured.
pelmora_build() {
  local preset cache
  for preset in windows $PELMORA_RUN_PRESET; do
    cache="$PELMORA_ROOT/build/$preset/CMakeCache.txt"
    if [ ! -f "$cache" ] || [ "$PELMORA_ROOT/CMakePresets.json" -nt "$cache" ]; then
      cmake --preset "$preset" >/dev/null || return 1
    fi
    cmake --build --preset "$preset" "$@" || return 1
  done
}
