#!/usr/bin/env bash
# Start-up time of the menu: from starting D:\Pelmora.exe to its first
# complete picture on screen, against a bare window of the same size started
# the same way in the same Wine session; the two interleaved over several
# runs. Prints each run, the medians and the best runs; goal: a ratio of at
# most 1.15. Other work on the machine shows as scatter: compare the best runs
# when the medians are disturbed. Each language is measured in turn, in the
# same session, and the ratios of medians close the output, one line each.
#
#   bench/startup.sh [runs] [locale...]     (defaults: 15, ja_JP.UTF-8 zh_CN.UTF-8)
set -uo pipefail
source "$(dirname "$0")/../scripts/lib/wine-session.sh"
pelmora_enter "$@"
cd "$PELMORA_ROOT"
runs=${1:-15}
shift $(( $# > 0 ? 1 : 0 ))
locales=("$@")
[ ${#locales[@]} -gt 0 ] || locales=(ja_JP.UTF-8 zh_CN.UTF-8)

pelmora_build >/dev/null || exit 1
trap pelmora_session_stop EXIT
trap 'exit 130' INT TERM
pelmora_wine_start "$PELMORA_ROOT/build/drives-$PELMORA_ARCH/d" "$PELMORA_RUN_BUILD/disc" || exit 1

winpath() { echo "Z:${1//\//\\}"; }
bench_dir="$PELMORA_RUN_BUILD/bench"
summary=()
for locale in "${locales[@]}"; do
  echo "Start-up to first complete picture, $runs runs, locale $locale ($(pelmora_path_line))"
  echo "        Pelmora.exe  bare window"
  output=$(LC_ALL=$locale "$WINE" "$(winpath "$bench_dir/StartupProbe.exe")" "$runs" \
    'D:\Pelmora.exe' 'D:\' "$(winpath "$bench_dir/BareWindow.exe")" "$(winpath "$bench_dir")" </dev/null)
  echo "$output"
  echo
  summary+=("$locale: $(echo "$output" | grep -o 'ratio of medians [0-9.]*')")
done
printf '%s\n' "${summary[@]}"
