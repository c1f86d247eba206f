#!/usr/bin/env bash
# PelmoraCheck.exe, through scripts/check-disc, on copies of the sample disc
# that each break one thing: the lines it prints and its exit code.
#   broken-discs.sh <sample disc folder> <PelmoraCheck.exe>
set -uo pipefail
disc=$1
export PELMORA_CHECKER=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/lib/wine-session.sh"
# Code page 1252 for Pelmora.ini, UTF-8 for file names and for the output.
export LC_ALL=en_US.UTF-8
work=$(mktemp -d "${TMPDIR:-/tmp}/pelmora-broken-discs.XXXXXX")
trap 'rm -rf "$work"' EXIT

# Sets a key of Pelmora.ini in the current folder, byte for byte.
ini_set() {
  SECTION="[$1]" KEY="$2" VALUE="$3" awk '
    { line = $0; sub(/\r$/, "", line) }
    line ~ /^\[/ { inside = (line == ENVIRON["SECTION"]) }
    inside && index(line, ENVIRON["KEY"] "=") == 1 { print ENVIRON["KEY"] "=" ENVIRON["VALUE"] "\r"; next }
    { print }' Pelmora.ini >Pelmora.ini.new && mv Pelmora.ini.new Pelmora.ini
}

failures=0
# row <name> <exit code> <expected lines> <shell commands that break the copy, run inside it>
row() {
  local name=$1 code=$2 expected=$3 breaking=$4 copy="$work/$1" output status
  mkdir -p "$(dirname "$copy")"
  cp -R "$disc" "$copy" || return 1
  if ! (cd "$copy" && eval "$breaking"); then
    echo "FAIL $name: the copy could not be broken"
    failures=$((failures + 1))
    return
  fi
  output=$("$root/scripts/check-disc" "$copy" 2>"$work/stderr")
  status=$?
  if [ "$status" = "$code" ] && [ "$output" = "$expected" ]; then
    echo "ok   $name"
    return
  fi
  echo "FAIL $name: exit code $status, expected $code; lines expected (<) and printed (>):"
  diff <(printf '%s' "$expected") <(printf '%s' "$output")
  cat "$work/stderr"
  failures=$((failures + 1))
}

a62=$(printf 'a%.0s' $(seq 62))
b62=$(printf 'b%.0s' $(seq 62))
value300="\\Jpn\\$(printf 'S%.0s' $(seq 295))"
value100k="\\Eng\\$(printf 'm%.0s' $(seq 102400))"
all_empty=$(for k in CORVANE/JPN CORVANE/ENG CORVANE/SCH FSETUP/JPN FSETUP/ENG FSETUP/SCH FSETUP/NAME FSETUP/COMMON \
                   MANUAL/JPN MANUAL/ENG MANUAL/SCH; do
              language=${k#*/}
              case $language in JPN|ENG|SCH) ;; *) language=ALL ;; esac
              printf '%s %s "": missing or empty\n' "$language" "$k"
            done)

row sound 0 '' ':'
row missing-installer 1 \
  'ENG CORVANE/ENG \Eng\Setup.exe: not found' \
  'rm Eng/Setup.exe'
row missing-CV.EXE 1 \
  'JPN FSETUP/JPN \Jpn\Free\CV.EXE: not found' \
  'rm Jpn/Free/CV.EXE'
row manual-with-a-typo 1 \
  'SCH MANUAL/SCH \Sch\Manaul.txt: not found' \
  'ini_set MANUAL SCH "\\Sch\\Manaul.txt"'
row no-common-autorun.inf 1 \
  'ALL FSETUP/COMMON \Common\autorun.inf: not found; the copy to another medium needs it' \
  'rm Common/autorun.inf'
row no-Lirvo.dll 1 \
  'SCH - \Lirvo.dll: not found; the Simplified Chinese menu needs it beside Pelmora.exe' \
  'rm Lirvo.dll'
row no-root-autorun.inf 1 \
  'ALL - \autorun.inf: not found; the disc does not start the menu by itself' \
  'rm autorun.inf'
# Any path that long is also too deep for the image's Joliet tree.
row path-too-long-for-a-deep-folder 1 \
  "ENG MANUAL/ENG \\Eng\\$a62\\$b62\\Manual.txt: is 261 characters long when the disc lies in a folder of 120 characters; at most 259 fit
ALL - \\Eng\\$a62\\$b62: its path takes 257 bytes in an ISO 9660 image with Joliet, which keeps 240" \
  'mkdir -p Eng/$a62/$b62 && mv Eng/Manual.txt Eng/$a62/$b62/ && ini_set MANUAL ENG "\\Eng\\$a62\\$b62\\Manual.txt"'
row names-differing-by-case 1 \
  'ALL - \Eng\setup.exe: differs from \Eng\Setup.exe only by case; Windows sees only one of them' \
  'cp Eng/Setup.exe Eng/setup.exe'
row 300-byte-value 1 \
  "JPN CORVANE/JPN ${value300:0:249}: 300 bytes long; the menu reads only the first 249" \
  'ini_set CORVANE JPN "$value300"'
# Whatever lies on the disc, the checker answers.
row 100-KiB-value 1 \
  "ENG MANUAL/ENG ${value100k:0:249}: at least 4095 bytes long; the menu reads only the first 249" \
  'ini_set MANUAL ENG "$value100k"'
row garbage-Pelmora.ini 1 "$all_empty" \
  'awk "BEGIN { for (i = 0; i < 65536; i++) printf \"%c\", (i * 7919 + 13) % 256 }" >Pelmora.ini'
row non-ASCII-value 1 \
  'ENG MANUAL/ENG \Eng\Manüal.txt: holds characters outside ASCII, which systems with another code page read differently' \
  'ini_set MANUAL ENG "$(printf "\\\\Eng\\\\Man\\374al.txt")"'
row "non-ASCII folder Lösungen 光盘/disc" 0 '' ':'
row link-back-into-the-disc 1 \
  'ALL - \Eng\loop: leads back to \, a folder it lies in; an image or a copy of it never ends' \
  'ln -s .. Eng/loop'

# A folder the checker cannot read at all.
output=$("$WINE" "$PELMORA_CHECKER" 'Z:\nonexistent\pelmora-disc' 2>"$work/stderr")
status=$?
if [ $status -eq 2 ] && [ -z "$output" ] && grep -q 'not found' "$work/stderr"; then
  echo "ok   no-folder"
else
  echo "FAIL no-folder: exit code $status, expected 2; printed: $output $(cat "$work/stderr")"
  failures=$((failures + 1))
fi

[ $failures -eq 0 ] || { echo "$failures rows failed"; exit 1; }
