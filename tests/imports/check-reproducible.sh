#!/usr/bin/env bash
# What would make two builds of one commit differ, read from the shipped
# files: the PE header carries the source date (SOURCE_DATE_EPOCH, else the
# commit's date), every other time stamp (export and resource directories)
# that date or zero, there is no debug directory, and neither the build's
# folders nor the host's name appear inside, in ASCII or UTF-16.
#   check-reproducible.sh <objdump> <strings> <source folder> <build folder> <binary>...
set -uo pipefail
objdump=$1 strings=$2 source=$3 build=$4; shift 4
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$source" log -1 --format=%ct 2>/dev/null || echo 0)}
status=0
for binary in "$@"; do
  name=$(basename "$binary") dump=$(TZ=UTC "$objdump" -p "$binary")
  header=$(date -u +%s -d "$(printf '%s\n' "$dump" | sed -n 's/^Time\/Date[[:space:]]*//p' | head -n 1)")
  others=$(printf '%s\n' "$dump" | grep -oE '(Time/Date stamp|Time:)[[:space:]]+[0-9a-f]+' | awk '{ print $NF }' |
    while read -r hex; do [ $((16#$hex)) -eq 0 ] || [ $((16#$hex)) -eq "$epoch" ] || echo "$hex"; done | sort -u | xargs)
  inside=$({ "$strings" -a -n 6 "$binary"; "$strings" -a -n 6 -e l "$binary"; } |
    grep -oF -e "$(realpath "$source")" -e "$(realpath "$build")" -e "$(hostname)" | sort -u | xargs)
  problems=()
  [ "$header" = "$epoch" ] || problems+=("stamped $header, not with the source date $epoch")
  [ -z "$others" ] || problems+=("directory time stamps $others, not the source date $epoch or 0")
  ! grep -q 'There is a debug directory' <<<"$dump" || problems+=("has a debug directory")
  [ -z "$inside" ] || problems+=("holds $inside")
  if [ ${#problems[@]} -gt 0 ]; then echo "$name: $(IFS=';'; echo "${problems[*]}")"; status=1
  else echo "$name: stamped $epoch (the source date), no build folder or host name inside"; fi
done
exit $status
