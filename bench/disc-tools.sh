#!/usr/bin/env bash
# How long the disc checker takes and what the image costs: PelmoraCheck.exe
# on the sample disc and on the sample disc with thousands of extra files,
# in a warm Wine session (the best of five runs), and make-disc --iso on
# both (size and time).
#   bench/disc-tools.sh [extra files, default 5000]
# Not a test: it prints figures and asserts nothing.
set -uo pipefail
source "$(dirname "$0")/../scripts/lib/wine-session.sh"
pelmora_enter "$@"
cd "$PELMORA_ROOT"

extra=${1:-5000}
pelmora_build --target sample_disc PelmoraCheck >/dev/null || exit 1
checker="$PELMORA_RUN_BUILD/checker/PelmoraCheck.exe"
export PELMORA_CHECKER=$checker

trap pelmora_session_stop EXIT
pelmora_prefix_create
pelmora_session_start

work="$PELMORA_ROOT/build/bench/disc-tools"
rm -rf "$work"
mkdir -p "$work"
cp -r "$PELMORA_RUN_BUILD/disc" "$work/sample"
cp -r "$PELMORA_RUN_BUILD/disc" "$work/large"
for ((f = 0; f < extra; f++)); do
  folder="$work/large/Data/Part$((f / 100))"
  [ $((f % 100)) -eq 0 ] && mkdir -p "$folder"
  printf 'file %d\n' "$f" >"$folder/File$f.dat"
done

milliseconds() { echo $(( (${EPOCHREALTIME/./} - $1) / 1000 )); }
best_check() {
  local best= run started
  for run in 1 2 3 4 5; do
    started=${EPOCHREALTIME/./}
    "$WINE" "$checker" "Z:${1//\//\\}" </dev/null >/dev/null 2>&1
    local ms; ms=$(milliseconds "$started")
    [ -z "$best" ] || [ "$ms" -lt "$best" ] && best=$ms
  done
  echo "$best"
}

for disc in sample large; do
  entries=$(find "$work/$disc" -mindepth 1 | wc -l)
  printf '%-34s %6s ms  (%d files and folders)\n' "PelmoraCheck.exe, $disc disc" "$(best_check "$work/$disc")" "$entries"
done
started=${EPOCHREALTIME/./}
scripts/check-disc "$work/sample" >/dev/null 2>&1
printf '%-34s %6s ms\n' "scripts/check-disc, sample disc" "$(milliseconds "$started")"
for disc in sample large; do
  started=${EPOCHREALTIME/./}
  scripts/make-disc "$work/$disc" --iso "$work/$disc.iso" >/dev/null 2>&1
  ms=$(milliseconds "$started")
  printf '%-34s %6s ms  %6d KiB image from %d KiB of files\n' "scripts/make-disc --iso, $disc disc" "$ms" \
    "$(( $(stat -c %s "$work/$disc.iso") / 1024 ))" "$(du -sk --apparent-size "$work/$disc" | cut -f1)"
done
