#!/usr/bin/env bash
# What the menu costs from a cold disc, in each language: the bytes read from
# the disc until the menu stands on screen, and its resident memory, against
# a bare window of the same size started from the same disc.
#
# The sample disc becomes a read-only block device: an uncompressed squashfs
# image with 4 KB blocks on a loop device with minimal read-ahead, mapped as
# drive D:, the page cache dropped before each start. The count is the loop
# device's sectors read from the start until the window has stood for a few
# seconds (the menu reads nothing more while it waits). Needs root, the
# kernel's squashfs and squashfs-tools. Goal: at most 450 KB in each language.
#
#   bench/cold-disc.sh [seconds to wait for the window]    (default 6; 15 through qemu)
# PELMORA_NO_BUILD=1 measures the build as it is, without building first.
set -uo pipefail
source "$(dirname "$0")/../scripts/lib/wine-session.sh"
cd "$PELMORA_ROOT"
settle=${1:-$((3 + 3 * PELMORA_TIME_SCALE))}

# Outside any namespace, as root: the image on a read-only loop device, and,
# on the qemu path, a helper that drops the page cache when the measuring part
# (which runs again inside the namespace, with only the programs) asks it to.
if [ -z "${PELMORA_IN_NAMESPACE:-}" ]; then
  [ "$(id -u)" -eq 0 ] || { echo "cold-disc.sh: needs root (loop device, squashfs, dropping caches)" >&2; exit 1; }
  command -v mksquashfs >/dev/null || { echo "cold-disc.sh: needs mksquashfs (squashfs-tools)" >&2; exit 1; }
  [ -n "${PELMORA_NO_BUILD:-}" ] || pelmora_build >/dev/null || exit 1
  work=$(mktemp -d)
  loop= mounted= dropper=
  cleanup() {
    [ -z "$dropper" ] || kill "$dropper" 2>/dev/null
    [ -n "$mounted" ] && umount "$work/disc"
    [ -n "$loop" ] && losetup -d "$loop"
    rm -rf "$work"
  }
  trap cleanup EXIT
  trap 'exit 130' INT TERM

  # The sample disc, and the bare window beside the menu on it.
  mkdir -p "$work/source" "$work/disc"
  cp -r "$PELMORA_RUN_BUILD/disc/." "$work/source/"
  rm -f "$work/source/.assembled"
  cp "$PELMORA_RUN_BUILD/bench/BareWindow.exe" "$work/source/"
  mksquashfs "$work/source" "$work/disc.sqfs" -noappend -noI -noD -noF -noX -b 4096 -quiet >/dev/null || exit 1
  loop=$(losetup -f --show -r "$work/disc.sqfs") || exit 1
  blockdev --setra 8 "$loop"
  mount -t squashfs -o ro "$loop" "$work/disc" && mounted=1 || exit 1
  export PELMORA_COLD_WORK=$work PELMORA_COLD_LOOP=$loop
  if [ "$PELMORA_WINE_PATH" = qemu ]; then
    export PELMORA_COLD_DROP=$work/drop PELMORA_COLD_DROPPED=$work/dropped
    mkfifo "$PELMORA_COLD_DROP" "$PELMORA_COLD_DROPPED"
    while read -r _ <"$PELMORA_COLD_DROP"; do
      sync; echo 3 >/proc/sys/vm/drop_caches; echo >"$PELMORA_COLD_DROPPED"
    done &
    dropper=$!
    (pelmora_enter "$@")
    exit $?
  fi
fi
work=$PELMORA_COLD_WORK loop=$PELMORA_COLD_LOOP
drop_caches() {
  if [ -n "${PELMORA_COLD_DROP:-}" ]; then
    echo >"$PELMORA_COLD_DROP" && read -r _ <"$PELMORA_COLD_DROPPED"
  else
    sync; echo 3 >/proc/sys/vm/drop_caches
  fi
}
sectors_read() { awk '{ print $3 }' "/sys/block/$(basename "$loop")/stat"; }

if [ -n "${PELMORA_IN_NAMESPACE:-}" ]; then trap pelmora_session_stop EXIT; else trap 'pelmora_session_stop; cleanup' EXIT; fi
pelmora_wine_start "$work/disc" || exit 1

kb() { awk -v b="$1" 'BEGIN { printf "%.1f", b / 1024 }'; }
median() { sort -n | awk '{ v[NR] = $1 } END { print NR ? v[int((NR + 1) / 2)] : "?" }'; }
# Starts D:\<program> under `locale` and lets it stand `settle` seconds; then
# prints the sectors read from the disc meanwhile, and the process's resident
# and proportional memory (VmRSS, Pss, in KB).
run() {
  local program=$1 locale=$2 before after pid
  before=$(sectors_read)
  (cd "$work/disc" && LC_ALL=$locale exec "$WINE" "D:\\$program" </dev/null >/dev/null 2>&1) &
  pid=$!
  sleep "$settle"
  after=$(sectors_read)
  echo "$((after - before))" \
       "$(awk '$1 == "VmRSS:" { print $2 }' "/proc/$pid/status" 2>/dev/null)" \
       "$(awk '$1 == "Pss:" { print $2 }' "/proc/$pid/smaps_rollup" 2>/dev/null)"
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  sleep 1
}
# The bytes read from a cold cache, then the median memory of three warm starts.
measure() {
  local program=$1 locale=$2 sectors memory=() i
  drop_caches
  read -r sectors _ < <(run "$program" "$locale")
  for i in 1 2 3; do memory+=("$(run "$program" "$locale")"); done
  printf '%-15s %-12s %10s %10s %10s\n' "$program" "$locale" "$(kb $((sectors * 512)))" \
    "$(printf '%s\n' "${memory[@]}" | awk '{ print $2 }' | median)" \
    "$(printf '%s\n' "${memory[@]}" | awk '{ print $3 }' | median)"
}

echo "Cold disc ($(pelmora_path_line)): Pelmora.exe $(kb "$(stat -c %s "$work/source/Pelmora.exe")") KB," \
     "Lirvo.dll $(kb "$(stat -c %s "$work/source/Lirvo.dll")") KB; read from a cold cache," \
     "memory the median of three warm starts, each after ${settle} s"
printf '%-15s %-12s %10s %10s %10s\n' program locale "KB read" "RSS KB" "PSS KB"
for locale in ja_JP.UTF-8 zh_CN.UTF-8 en_US.UTF-8; do
  measure Pelmora.exe "$locale"
  measure BareWindow.exe "$locale"
done
