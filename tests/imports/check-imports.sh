#!/usr/bin/env bash
# Lists the import table of a Windows program or DLL (DLL!function, one a
# line) and compares it with the allowlist kept beside this script. Every
# imported function is a decision: a new one fails until it is added to the
# list, and so does one that is no longer used.
#   check-imports.sh <objdump> <binary> <allowlist>
set -euo pipefail
objdump=$1 binary=$2 allowlist=$3

actual=$("$objdump" -p "$binary" | awk '
  /DLL Name:/ { dll = $3; next }
  /^[ \t]*$/ { if (dll != "") listing = 0 }
  /Hint\/Ord/ && dll != "" { listing = 1; next }
  listing && NF >= 3 { print dll "!" $3 }
' | sort -u)

expected=$(grep -v '^\s*#' "$allowlist" | grep -v '^\s*$' | sort -u)

# Only Windows' own DLLs, and none of the functions older systems lack.
bad_dll=$(printf '%s\n' "$actual" | cut -d'!' -f1 | sort -u |
  grep -viE '^(KERNEL32|USER32|GDI32|SHELL32|SHLWAPI|ADVAPI32|ole32|msvcrt)\.dll$' || true)
too_new=$(printf '%s\n' "$actual" | grep -E '!(SetDefaultDllDirectories|SetDllDirectory[AW]|AddDllDirectory|GetTickCount64)$' || true)

status=0
if [ -n "$bad_dll" ]; then echo "imports a DLL that is not Windows' own: $bad_dll"; status=1; fi
if [ -n "$too_new" ]; then echo "imports what older systems lack (look it up at run time): $too_new"; status=1; fi
if [ "$actual" != "$expected" ]; then
  echo "the import table of $(basename "$binary") differs from $(basename "$allowlist"):"
  diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual") | sed -n 's/^</  no longer imported:/p; s/^>/  newly imported:    /p'
  status=1
fi
[ $status -eq 0 ] && echo "$(basename "$binary"): $(printf '%s\n' "$actual" | wc -l) imports, all allowed"
exit $status
