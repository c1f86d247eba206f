#!/usr/bin/env bash
# The program must see the Windows version that a program without a
# compatibility manifest sees: Windows 8.1 and later report 6.2 to it and are
# treated as Vista and later. A manifest naming Windows 8.1 or 10 as supported
# would make them report 6.3 or 10.0, which the program refuses.
#   check-manifest.sh <windres> <strings> <binary>
set -euo pipefail
windres=$1 strings=$2 binary=$3

# {1f676c76-...} Windows 8.1, {8e0f7a12-...} Windows 10 and 11.
newer='1f676c76-80e1-4239-95bb-83d0f6d0da78|8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a'

resources=$("$windres" -J coff -O rc -i "$binary")
manifests=$(printf '%s\n' "$resources" | grep -c 'RT_MANIFEST' || true)

# A manifest is stored as it was written: UTF-8, or UTF-16 little-endian.
found=$({ "$strings" -a -n 8 "$binary"; "$strings" -a -n 8 -e l "$binary"; } | grep -ioE "$newer" | sort -u || true)

if [ -n "$found" ]; then
  echo "$(basename "$binary") declares compatibility with Windows 8.1 or later ($manifests manifest resource(s)): $found"
  exit 1
fi
echo "$(basename "$binary"): $manifests manifest resource(s), none declaring Windows 8.1 or later"
