#!/usr/bin/env bash
# How much processor time the menu uses while it waits for the installer.
# Starts the menu on the sample disc as Windows XP (the installer is started
# as a process and waited for), has the stand-in installer stay for a while,
# presses Enter on install, and prints the processor time of the menu's
# process (and of the wineserver) during the wait beside the wall time.
#   bench/installer-wait.sh [seconds the installer stays, default 10]
# Not a test: it prints figures and asserts nothing.
set -uo pipefail
source "$(dirname "$0")/../scripts/lib/wine-session.sh"
pelmora_enter "$@"
cd "$PELMORA_ROOT"

stay=${1:-10}
pelmora_build --target sample_disc >/dev/null || exit 1

menu=
cleanup() {
  [ -n "$menu" ] && kill "$menu" 2>/dev/null
  pelmora_session_stop
}
trap cleanup EXIT

pelmora_wine_start "$PELMORA_ROOT/build/bench/disc" "$PELMORA_RUN_BUILD/disc" || exit 1
"$WINE" reg add 'HKCU\Software\Wine\AppDefaults\Pelmora.exe' /v Version /d winxp /f </dev/null >/dev/null 2>&1

# Read by the stand-in installer, which inherits the menu's environment.
export PELMORA_STANDIN_MS=$((stay * 1000))

LC_ALL=en_US.UTF-8 "$WINE" 'D:\Pelmora.exe' </dev/null >/dev/null 2>&1 &
menu=$!

# Processes of this prefix only (other Wine sessions may run on the machine)
# whose command line matches a pattern; the newest first.
mine() {
  local p
  for p in $(pgrep -f "$1" | sort -rn); do
    tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && echo "$p"
  done
}

# The Linux process of the menu: the Wine process whose command line names it.
pid=
for _ in $(seq 1 100); do
  pid=$(mine 'Pelmora\.exe' | head -n 1)
  [ -n "$pid" ] && break
  sleep 0.1
done
[ -n "$pid" ] || { echo "the menu did not start" >&2; exit 1; }
server=$(mine 'wineserver' | head -n 1)
sleep 3 # until the menu is up and its install button has the focus

ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || echo 0; }
hz=$(getconf CLK_TCK)

before_menu=$(ticks "$pid")
before_server=$(ticks "$server")
start=$(date +%s.%N)
xdotool key Return

# The installer appears, then ends after its stay.
for _ in $(seq 1 50); do [ -n "$(mine 'Setup\.exe')" ] && break; sleep 0.1; done
[ -n "$(mine 'Setup\.exe')" ] || { echo "the installer did not start (was Enter delivered?)" >&2; exit 1; }
while [ -n "$(mine 'Setup\.exe')" ]; do sleep 0.05; done
end=$(date +%s.%N)
after_menu=$(ticks "$pid")
after_server=$(ticks "$server")

awk -v start="$start" -v end="$end" -v menu=$((after_menu - before_menu)) \
    -v server=$((after_server - before_server)) -v hz="$hz" 'BEGIN {
  wall = end - start
  printf "wall time of the wait:         %6.2f s\n", wall
  printf "processor time, menu process:  %6.2f s (%.2f%% of a core)\n", menu / hz, 100 * menu / hz / wall
  printf "processor time, wineserver:    %6.2f s (%.2f%% of a core)\n", server / hz, 100 * server / hz / wall
}'
