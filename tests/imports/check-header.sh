#!/usr/bin/env bash
# What the loader of Windows 98 SE and Me reads before anything else: a
# program or library for the Windows GUI subsystem that asks for subsystem
# and system version 4.0 at most. A file that asks for 5.0 does not load there.
# And the image flags that make Windows copy the file to its page file when
# it is started from removable or network media (run from swap), so that a
# disc taken out under the running menu cannot fault a page in.
#   check-header.sh <objdump> <binary>
set -euo pipefail
objdump=$1 binary=$2
name=$(basename "$binary")

header=$("$objdump" -p "$binary")
field() { printf '%s\n' "$header" | awk -v key="$1" '$1 == key && !seen++ { print $2 }'; }
subsystem=$(field Subsystem)
subsystem_version="$(field MajorSubsystemVersion).$(field MinorSubsystemVersion)"
os_version="$(field MajorOSystemVersion).$(field MinorOSystemVersion)"

status=0
if [ "$((10#${subsystem:-0}))" -ne 2 ]; then
  echo "$name: subsystem $subsystem, not the Windows GUI (2)"; status=1
fi
if [ "$subsystem_version" != "4.0" ]; then
  echo "$name: asks for subsystem version $subsystem_version, not 4.0"; status=1
fi
if [ "$(field MajorOSystemVersion)" -gt 4 ]; then
  echo "$name: asks for system version $os_version, newer than 4"; status=1
fi
flags=$(field Characteristics)
for flag in 0x400:removable 0x800:network; do
  if [ $(( ${flags:-0} & ${flag%%:*} )) -eq 0 ]; then
    echo "$name: flags $flags, not run from swap from ${flag#*:} media"; status=1
  fi
done
[ $status -eq 0 ] && echo "$name: Windows GUI, subsystem version $subsystem_version, system version $os_version, run from swap (flags $flags)"
exit $status
