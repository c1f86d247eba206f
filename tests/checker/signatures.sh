#!/usr/bin/env bash
# The signature of a program on the disc, as PelmoraCheck.exe reports it
# through scripts/check-disc: one row per state, each prepared offline with
# osslsigncode (its own time-stamp authority) from the sample disc's stand-in
# program and put in place of the English installer; then a disc with all of
# them, a copied stick, and a Windows without wintrust.
#   signatures.sh <sample disc folder> <PelmoraCheck.exe>
set -uo pipefail
disc=$(realpath -- "$1")
export PELMORA_CHECKER=$(realpath -- "$2")
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/lib/wine-session.sh"
export LC_ALL=en_US.UTF-8
work=$(mktemp -d "${TMPDIR:-/tmp}/pelmora-signatures.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

certificate() { # <name> <common name> <openssl key options> [<extension>]
  openssl req -x509 -nodes -days 3650 -subj "/CN=$2" -newkey $3 -keyout "$1.key" -out "$1.pem" \
    -addext "extendedKeyUsage=${4:-codeSigning}" 2>/dev/null
}
certificate rsa 'Corvane Test Publisher' rsa:2048
certificate ecc 'Corvane ECC Publisher' 'ec -pkeyopt ec_paramgen_curve:prime256v1'
certificate tsa 'Offline Time Stamps' rsa:2048 critical,timeStamping
expires=$(date -u -d "$(openssl x509 -enddate -noout -in rsa.pem | cut -d= -f2)" +%F)
sign() { osslsigncode sign -certs "$1.pem" -key "$1.key" -h "$2" "${@:3}" -in "$disc/Eng/Setup.exe" -out "$out" >/dev/null; }
flip() { printf Z | dd of="$out" bs=1 seek=2000 conv=notrunc 2>/dev/null; }
unsafe=': it is blocked by Smart App Control and warned about by SmartScreen when the disc is a downloaded image'

# name | how the file $out is made | what the line says after the path
rows=(
  "unsigned|cp \$disc/Eng/Setup.exe \$out|unsigned$unsafe"
  "rsa-sha256-stamped|sign rsa sha256 -TSA-certs tsa.pem -TSA-key tsa.key -TSA-time 1765000000|signed by Corvane Test Publisher (SHA-256, RSA, time-stamped)"
  "rsa-no-time-stamp|sign rsa sha256|signed by Corvane Test Publisher (SHA-256, RSA, no time stamp): it stops being valid when the certificate expires ($expires)"
  "ecc|sign ecc sha256 -TSA-certs tsa.pem -TSA-key tsa.key|signed by Corvane ECC Publisher (SHA-256, ECC, time-stamped): it is not accepted by Smart App Control"
  "sha1-only|sign rsa sha1 -TSA-certs tsa.pem -TSA-key tsa.key|signed by Corvane Test Publisher (SHA-1, RSA, time-stamped): a signature with SHA-1 alone is not trusted by Windows on a downloaded file; sign it with SHA-256"
  "changed-by-one-byte|sign rsa sha256 && flip|signed by Corvane Test Publisher, but it was changed after it was signed: sign it again"
  "truncated-signature|sign rsa sha256 && truncate -s -300 \$out|its signature cannot be read (it is cut short): Windows treats it as unsigned; sign it again"
)

failures=0
fail() { echo "FAIL $1: $2"; failures=$((failures + 1)); }
# check <name> <disc> <expected exit code> <lines the standard error must hold> [<command>...]
# No problem is listed on the standard output.
check() {
  local output status
  "${@:5}" "$2" >"$1.out" 2>"$1.err"
  status=$?
  output=$(grep -F -x -f <(printf '%s\n' "$4") "$1.err" | sort)
  if [ "$status" = "$3" ] && [ "$output" = "$(sort <<<"$4")" ] && [ ! -s "$1.out" ]; then echo "ok   $1"; return; fi
  fail "$1" "exit code $status, expected $3; lines expected (<) and printed (>):"
  diff <(printf '%s\n' "$4") "$1.err"
}
check_disc() { check "$@" "$root/scripts/check-disc"; }

mkdir all && cp -R "$disc/." all/ && mkdir all/Signed
expected_all=
for row in "${rows[@]}"; do
  IFS='|' read -r name make line <<<"$row"
  out=$work/$name.exe
  eval "$make" || { fail "$name" "the file could not be made"; continue; }
  cp -R "$disc" "$name" && cp "$out" "$name/Eng/Setup.exe" && cp "$out" "all/Signed/$name.exe"
  check_disc "$name" "$name" 0 "ENG CORVANE/ENG \\Eng\\Setup.exe: $line"
  expected_all+="ALL - \\Signed\\$name.exe: $line"$'\n'
done
check_disc all-of-them all 0 "${expected_all}PelmoraCheck: 18 programs and libraries: 4 signed, 12 unsigned, 1 changed after signing, 1 with a signature that cannot be read"
check all-of-them-strict all 1 "PelmoraCheck: Z:${work//\//\\}\\all: the disc is sound; 17 warnings, counted" \
  "$root/scripts/check-disc" --strict

# A stick as the copy to another medium lays it out, and a Windows without wintrust.
mkdir -p stick/Corvane && cp "$disc"/Eng/Free/* stick/Corvane/ && printf '[autorun]\r\nshellexecute=Corvane\\CV.EXE\r\n' >stick/autorun.inf
check_disc copied-stick stick 0 "ALL autorun/shellexecute \\autorun.inf: starts Corvane\\CV.EXE: security software deletes or blocks an autorun.inf on a stick that names a program to start
PelmoraCheck: 2 programs and libraries: 0 signed, 2 unsigned"
WINEDLLOVERRIDES="$WINEDLLOVERRIDES;wintrust=d" check no-wintrust "Z:${work//\//\\}\\unsigned" 0 \
  "PelmoraCheck: signatures were not checked: this Windows has no wintrust.dll" "$WINE" "$PELMORA_CHECKER"

[ $failures -eq 0 ] || { echo "$failures rows failed"; exit 1; }
