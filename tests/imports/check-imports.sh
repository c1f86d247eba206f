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

# One DLL!function a line; a # starts a comment, on its own line or after an entry.
expected=$(sed 's/[[:space:]]*#.*$//; /^[[:space:]]*$/d' "$allowlist" | sort -u)

# Only Windows' own DLLs, and none of the functions older systems lack.
bad_dll=$(printf '%s\n' "$actual" | cut -d'!' -f1 | sort -u |
  grep -viE '^(KERNEL32|USER32|GDI32|SHELL32|SHLWAPI|ADVAPI32|ole32|msvcrt)\.dll$' || true)
too_new=$(printf '%s\n' "$actual" | grep -E '!(SetDefaultDllDirectories|SetDllDirectory[AW]|AddDllDirectory|GetTickCount64)$' || true)

# Windows 98 SE and Me export the wide (...W) functions by name, but most
# of them are stubs that fail. Wide imports are allowed only from those that
# Microsoft documents as implemented on Windows 95 and 98 (Knowledge Base
# article Q210341: the first list on 95 already, lstrcatW and lstrcpyW from
# 98 on), and two stubs known to be harmless here, both called by the MinGW
# runtime only: CreateSemaphoreW (its mutex set-up, not needed by a program
# with one thread) and GetModuleHandleW (its code-page lookup, which falls
# back when the call fails).
wide_implemented='EnumResourceLanguagesW EnumResourceNamesW EnumResourceTypesW ExtTextOutW FindResourceW
  FindResourceExW GetCharWidthW GetCommandLineW GetTextExtentPoint32W GetTextExtentPointW lstrlenW MessageBoxExW
  MessageBoxW TextOutW lstrcatW lstrcpyW'
wide_harmless_stubs='CreateSemaphoreW GetModuleHandleW'
wide_allowed=$(printf '%s\n' $wide_implemented $wide_harmless_stubs)
wide_stubs=$(printf '%s\n' "$actual" | cut -d'!' -f2 | grep -E '[a-z0-9]W$' | grep -vxF "$wide_allowed" || true)

status=0
if [ -n "$wide_stubs" ]; then
  echo "imports wide functions that Windows 98 SE and Me only stub (call the narrow ones there):" $wide_stubs
  status=1
fi
if [ -n "$bad_dll" ]; then echo "imports a DLL that is not Windows' own: $bad_dll"; status=1; fi
if [ -n "$too_new" ]; then echo "imports what older systems lack (look it up at run time): $too_new"; status=1; fi
if [ "$actual" != "$expected" ]; then
  echo "the import table of $(basename "$binary") differs from $(basename "$allowlist"):"
  diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual") | sed -n 's/^</  no longer imported:/p; s/^>/  newly imported:    /p'
  status=1
fi
[ $status -eq 0 ] && echo "$(basename "$binary"): $(printf '%s\n' "$actual" | wc -l) imports, all allowed"
exit $status
