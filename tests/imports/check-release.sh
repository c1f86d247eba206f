#!/usr/bin/env bash
# One run of scripts/release on the sample brand into an empty folder: the
# release folder holds exactly what a publisher hands on, its checksums
# pass, the programs are the build's, and a second run is refused.
#   check-release.sh <scripts/release> <work folder>
set -uo pipefail
release=$1 work=$2
rm -rf "$work"
"$release" "$work" || { echo "the release failed"; exit 1; }
folder=$work/Corvane-1.0.0.0
expected='Lirvo.dll Pelmora.exe Pelmora.ini PelmoraCheck.exe README.txt SHA256SUMS autorun.inf docs/pelmora-ini.md docs/publishing.md'
listing=$(cd "$folder" && find . -type f ! -name '*.png' -printf '%P\n' | LC_ALL=C sort | xargs)
[ "$listing" = "$expected" ] || { echo "the release folder holds: $listing"; exit 1; }
(cd "$folder" && sha256sum --quiet -c SHA256SUMS) || { echo "SHA256SUMS does not match"; exit 1; }
build=$(dirname "$(dirname "$release")")/build/windows
cmp "$folder/Pelmora.exe" "$build/ui/Pelmora.exe" || exit 1
grep -q "$(cd "$build/ui" && sha256sum Pelmora.exe)" "$folder/README.txt" || { echo "README.txt lacks the built hashes"; exit 1; }
before=$(cd "$folder" && sha256sum README.txt)
if "$release" "$work" 2>"$work/refusal"; then echo "a second run into $work was not refused"; exit 1; fi
grep -q "is already there" "$work/refusal" && [ "$(cd "$folder" && sha256sum README.txt)" = "$before" ] ||
  { echo "the second run did not say why, or changed the release"; exit 1; }
echo "$folder: $(echo $listing | wc -w) files and the guides' pictures, SHA256SUMS passes, a second run is refused"
