#!/usr/bin/env bash
# What the loader of Windows 98 SE and Me reads before anything else: a
# program or library for the Windows GUI subsystem that asks for subsystem
# and system version 4.0 at most. A file that asks for 5.0 does not load there.
# And the image flags that make Windows copy the file to its page file when
# it is started from removable or network media (run from swap), so that a
# disc taken out under the running menu cannot fault a page in; and, with them
# set, a header checksum that is still the file's.
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
# The file as little-endian 16-bit words (the checksum field as zero), added
# with end-around carry, plus its length in bytes.
computed=$(python3 -c 'import sys
data = bytearray(open(sys.argv[1], "rb").read())
at = int.from_bytes(data[0x3C:0x40], "little") + 24 + 64
data[at:at + 4] = bytes(4)
total = sum(int.from_bytes(data[i:i + 2], "little") for i in range(0, len(data), 2))
while total > 0xFFFF: total = (total & 0xFFFF) + (total >> 16)
print(total + len(data))' "$binary")
checksum=$(field CheckSum)
if [ "$((16#${checksum:-0}))" -ne "$computed" ]; then
  echo "$name: header checksum $checksum, but the file's is $(printf '%08x' "$computed")"; status=1
fi
[ $status -eq 0 ] && echo "$name: Windows GUI, subsystem version $subsystem_version, system version $os_version, run from swap (flags $flags), checksum $checksum"
exit $status
