#!/usr/bin/env bash
# Prints the sizes of the shipped 32-bit program and caption library:
# Pelmora.exe whole (goal: at most 600 KB; it carries the pictures of all
# three languages, compressed), without its resource section (goal: at most
# 200 KB), and Lirvo.dll (goal: at most 64 KB). Builds the shipped tree first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
[ -f build/windows/CMakeCache.txt ] || cmake --preset windows >/dev/null
cmake --build --preset windows --target Pelmora Lirvo >/dev/null
objdump=i686-w64-mingw32-objdump
exe=build/windows/ui/Pelmora.exe
dll=build/windows/captionlib/Lirvo.dll

# The size a section takes in the file: its size rounded up to the file
# alignment of 512 bytes.
section_size() {
  local hex
  hex=$("$objdump" -h "$1" | awk -v name="$2" '$2 == name { print $3 }')
  [ -n "$hex" ] || { echo 0; return; }
  echo $(( (0x$hex + 511) / 512 * 512 ))
}
file_size() { stat -c %s "$1"; }

exe_total=$(file_size "$exe")
rsrc=$(section_size "$exe" .rsrc); rsrc=${rsrc:-0}
exe_code=$((exe_total - rsrc))
dll_total=$(file_size "$dll")

kb() { awk -v b="$1" 'BEGIN { printf "%.1f KB", b / 1024 }'; }
verdict() { [ "$1" -le "$2" ] && echo "within goal" || echo "OVER GOAL"; }
printf '%-40s %10s  goal 600 KB: %s\n' "Pelmora.exe, whole file" "$(kb "$exe_total")" "$(verdict "$exe_total" $((600 * 1024)))"
printf '%-40s %10s\n' "Pelmora.exe, resource section (.rsrc)" "$(kb "$rsrc")"
printf '%-40s %10s  goal 200 KB: %s\n' "Pelmora.exe without resources" "$(kb "$exe_code")" "$(verdict "$exe_code" $((200 * 1024)))"
printf '%-40s %10s  goal 64 KB: %s\n' "Lirvo.dll" "$(kb "$dll_total")" "$(verdict "$dll_total" $((64 * 1024)))"
