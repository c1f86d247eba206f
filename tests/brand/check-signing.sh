#!/usr/bin/env bash
# Signs copies of the built binaries with scripts/sign and a throwaway
# self-signed certificate made here with openssl, then checks what a
# publisher relies on: osslsigncode verifies each signature (SHA-256, by our
# certificate), the import tables are those of the unsigned binaries, and the
# certificate's password appears nowhere in what signing printed. The signed
# copies stay in <out> for the end-to-end test that runs them.
#   check-signing.sh <scripts/sign> <objdump> <out> <binary>...
set -euo pipefail
sign=$1 objdump=$2 out=$3
shift 3

rm -rf "$out"
mkdir -p "$out/certificate"
key="$out/certificate"
password=$(openssl rand -hex 16)
printf '%s\n' "$password" >"$key/password.txt"
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$key/key.pem" -out "$key/cert.pem" -days 2 \
  -subj "/CN=Pelmora Test Publisher" -addext "extendedKeyUsage=codeSigning" 2>/dev/null
openssl pkcs12 -export -inkey "$key/key.pem" -in "$key/cert.pem" -out "$key/publisher.pfx" \
  -passout "file:$key/password.txt"

signed=()
for binary in "$@"; do
  cp "$binary" "$out/"
  signed+=("$out/$(basename "$binary")")
done

status=0
fail() { echo "FAILED: $*"; status=1; }

"$sign" --pfx "$key/publisher.pfx" --password-file "$key/password.txt" "${signed[@]}" >"$out/sign.log" 2>&1 ||
  fail "scripts/sign ended with an error: $(cat "$out/sign.log")"
if grep -qF "$password" "$out/sign.log"; then fail "signing printed the certificate's password"; fi

# DLL!function, one a line, as check-imports.sh lists them.
imports() {
  "$objdump" -p "$1" | awk '
    /DLL Name:/ { dll = $3; next }
    /^[ \t]*$/ { if (dll != "") listing = 0 }
    /Hint\/Ord/ && dll != "" { listing = 1; next }
    listing && NF >= 3 { print dll "!" $3 }'
}

for binary in "$@"; do
  name=$(basename "$binary")
  copy="$out/$name"
  report=$(osslsigncode verify -CAfile "$key/cert.pem" -in "$copy" 2>&1) || true
  grep -q "^Signature verification: ok" <<<"$report" || fail "$name: the signature does not verify:
$report"
  grep -q "Message digest algorithm *: SHA256" <<<"$report" || fail "$name: not signed with SHA-256"
  grep -q "Subject: /CN=Pelmora Test Publisher" <<<"$report" || fail "$name: not signed by the test certificate"
  before=$(imports "$binary")
  after=$(imports "$copy")
  [ -n "$before" ] || fail "$name: no import table found"
  [ "$before" = "$after" ] || fail "$name: signing changed the import table:
$(diff <(printf '%s\n' "$before") <(printf '%s\n' "$after"))"
  cmp -s "$binary" "$copy" && fail "$name: the signed copy is the unsigned file"
  echo "$name: signed ($(stat -c %s "$binary") -> $(stat -c %s "$copy") bytes), verified, $(printf '%s\n' "$after" | wc -l) imports unchanged"
done
exit $status
