#!/usr/bin/env bash
# scripts/release on the sample brand: exactly the files a publisher hands
# on, SHA256SUMS passes, the programs are the build's, a second run is refused.
#   check-release.sh <source folder> <work folder>
set -uo pipefail
source=$1 work=$2 folder=$2/Corvane-1.0.0.0
rm -rf "$work" && "$source/scripts/release" "$work" || { echo "the release failed"; exit 1; }
listing=$(cd "$folder" && find . -type f ! -name '*.png' -printf '%P\n' | LC_ALL=C sort | xargs)
[ "$listing" = "Lirvo.dll Pelmora.exe Pelmora.ini PelmoraCheck.exe README.txt SHA256SUMS autorun.inf docs/pelmora-ini.md docs/publishing.md" ] ||
  { echo "the release folder holds: $listing"; exit 1; }
(cd "$folder" && sha256sum --quiet -c SHA256SUMS) && cmp "$folder/Pelmora.exe" "$source/build/windows/ui/Pelmora.exe" || exit 1
if again=$("$source/scripts/release" "$work" 2>&1) || ! grep -q "already there" <<<"$again"; then
  echo "a second run was not refused: $again"; exit 1
fi
(cd "$folder" && sha256sum --quiet -c SHA256SUMS) && echo "$folder: $listing and the guides' pictures; SHA256SUMS passes; a second run is refused"
