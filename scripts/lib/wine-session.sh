# Shared by every command that runs the program (scripts/test, demo,
# check-disc, the benchmarks): how this machine runs the 32-bit Wine, the
# private Wine prefix, the X display and the Wine session. Source it; then
# call pelmora_enter, which may start the calling script again (see below).

PELMORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
PELMORA_SCRIPT=$(realpath -- "$0")  # before the script changes folder
PELMORA_WINE32=/usr/lib/wine/wine

# What we ship is a 32-bit Windows program, run by the 32-bit Wine. A
# machine takes one of three paths to it, chosen once per command:
#   native  the kernel runs 32-bit Linux programs: the 32-bit Wine runs as is.
#   qemu    it does not ("Exec format error"), but the command can run again
#           inside a user and mount namespace of its own, whose private
#           binfmt_misc hands 32-bit programs to qemu-i386 (qemu-user 10 or
#           later; kernel 6.7 or later). Outside it nothing changes.
#   x86_64  neither: the 64-bit build of the same sources, run by the 64-bit
#           Wine; the shipped files are then only checked without running.
# PELMORA_WINE_PATH=native|qemu|x86_64 asks for one (qemu works on a machine
# that runs 32-bit programs too; the entry is tried before the kernel's own).
# Each slower path scales the tests' limits by PELMORA_TIME_SCALE.

# The binfmt_misc entry: 32-bit x86 ELF executables and shared objects to
# qemu-i386, opened once when registered (flag F), so that it serves every
# folder and every child process.
pelmora_binfmt_entry() {
  printf ':pelmora-i386:M::%s:%s:%s:F' \
    '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00' \
    '\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff' "$1"
}

# Runs a command inside a new private namespace with the entry registered.
pelmora_in_namespace() {
  local qemu
  qemu=$(command -v qemu-i386) || return 1
  unshare --user --map-root-user --mount -- bash -c '
    mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc 2>/dev/null &&
      printf "%s" "$1" >/proc/sys/fs/binfmt_misc/register || exit 125
    shift
    export PELMORA_IN_NAMESPACE=1
    exec "$@"' pelmora-namespace "$(pelmora_binfmt_entry "$qemu")" "$@"
}

# Whether the qemu path works here: qemu-i386 10 or later (Debian 12's own 7.2
# starts the 32-bit Wine's loader but never gets past it), a private
# binfmt_misc, and the 32-bit Wine answering through them.
pelmora_qemu_works() {
  local version
  version=$(qemu-i386 --version 2>/dev/null | sed -n 's/^qemu-i386 version \([0-9]*\)\..*/\1/p')
  [ -n "$version" ] && [ "$version" -ge 10 ] || return 1
  timeout 60 bash -c "$(declare -f pelmora_binfmt_entry pelmora_in_namespace)
    pelmora_in_namespace $PELMORA_WINE32 --version" </dev/null >/dev/null 2>&1
}

if [ -n "${PELMORA_IN_NAMESPACE:-}" ]; then
  PELMORA_WINE_PATH=qemu
else
  case "${PELMORA_WINE_PATH:-}" in
    native) "$PELMORA_WINE32" --version >/dev/null 2>&1 ||
              { echo "PELMORA_WINE_PATH=native: this machine cannot run the 32-bit Wine" >&2; exit 2; } ;;
    qemu) pelmora_qemu_works ||
            { echo "PELMORA_WINE_PATH=qemu: the 32-bit Wine does not run through qemu-i386 10 in a private namespace here" >&2; exit 2; } ;;
    x86_64) ;;
    "") if "$PELMORA_WINE32" --version >/dev/null 2>&1; then PELMORA_WINE_PATH=native
        elif pelmora_qemu_works; then PELMORA_WINE_PATH=qemu
        else PELMORA_WINE_PATH=x86_64
        fi ;;
    *) echo "PELMORA_WINE_PATH: native, qemu or x86_64, not $PELMORA_WINE_PATH" >&2; exit 2 ;;
  esac
fi
export PELMORA_WINE_PATH

# The qemu path: the calling script starts again inside the namespace, with
# the same arguments (call it before anything else runs). Whatever needs real
# root stays outside: a script that needs it does that first and calls this
# afterwards.
pelmora_enter() {
  [ "$PELMORA_WINE_PATH" = qemu ] && [ -z "${PELMORA_IN_NAMESPACE:-}" ] || return 0
  pelmora_in_namespace "$BASH" "$PELMORA_SCRIPT" "$@"
  local status=$?
  [ $status -ne 125 ] || echo "the private namespace for the 32-bit Wine could not be made" >&2
  exit $status
}

if [ "$PELMORA_WINE_PATH" = x86_64 ]; then
  PELMORA_ARCH=x86_64
  export WINEARCH=win64
  WINE=/usr/lib/wine/wine64
  PELMORA_RUN_PRESET=windows-x64
else
  PELMORA_ARCH=i686
  export WINEARCH=win32
  WINE=$PELMORA_WINE32
  PELMORA_RUN_PRESET=windows-tests
fi
# The tests' limits: the end-to-end driver's waits, and CTest's (the test
# build is configured with it). Under emulation a test takes a median of 4
# times as long, up to 17 times.
if [ "$PELMORA_WINE_PATH" = qemu ]; then PELMORA_TIME_SCALE=4; else PELMORA_TIME_SCALE=1; fi
export PELMORA_TIME_SCALE
export WINELOADER="$WINE"
export WINEPREFIX="$PELMORA_ROOT/build/wine-$PELMORA_ARCH"
PELMORA_RUN_BUILD="$PELMORA_ROOT/build/$PELMORA_RUN_PRESET"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# One line on the path this machine takes, for the commands' output.
pelmora_path_line() {
  case "$PELMORA_WINE_PATH" in
    native) echo "the 32-bit Wine, run natively, on the shipped files" ;;
    qemu) echo "the 32-bit Wine, run through qemu-i386 in a private namespace, on the shipped files" ;;
    x86_64) echo "the 64-bit Wine, on the 64-bit build of the same sources" ;;
  esac
}

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
# presets changed after it was configured, or when the path's time scale
# differs from the one the test build was configured with.
pelmora_build() {
  local preset cache scale
  for preset in windows $PELMORA_RUN_PRESET; do
    cache="$PELMORA_ROOT/build/$preset/CMakeCache.txt"
    scale=()
    [ "$preset" = windows ] || scale=("-DPELMORA_TIME_SCALE=$PELMORA_TIME_SCALE")
    if [ ! -f "$cache" ] || [ "$PELMORA_ROOT/CMakePresets.json" -nt "$cache" ] ||
       { [ ${#scale[@]} -gt 0 ] && ! grep -qx "PELMORA_TIME_SCALE:STRING=$PELMORA_TIME_SCALE" "$cache"; }; then
      cmake --preset "$preset" "${scale[@]}" >/dev/null || return 1
    fi
    cmake --build --preset "$preset" "$@" || return 1
  done
}

# The whole start of Wine for a command that runs the program: the prefix,
# drive D: on `folder` (emptied and given a fresh copy of the disc `copy`,
# when one is named), drive E: on `stick`, the display, and a new session at
# `dpi` (96 when not given: a demo may have left another).
#   pelmora_wine_start <folder> [<copy> [<stick> [<dpi>]]]
pelmora_wine_start() {
  local folder=$1 copy=${2:-} stick=${3:-$PELMORA_ROOT/build/drives-$PELMORA_ARCH/e} dpi=${4:-96}
  pelmora_prefix_create
  if [ -n "$copy" ]; then
    rm -rf "$folder"
    mkdir -p "$folder"
    cp -r "$copy/." "$folder/" || return 1
    rm -f "$folder/.assembled"
  fi
  pelmora_map_drive d "$folder"
  pelmora_map_drive e "$stick"
  pelmora_display_start || return 1
  pelmora_set_dpi "$dpi"
}
