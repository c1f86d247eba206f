#!/usr/bin/env bash
# The sample disc made into an image by scripts/make-disc, read back and
# installed from: the image's Rock Ridge and Joliet trees each hold the
# disc's files byte for byte, a broken disc makes no image, and the menu
# started from the Joliet tree's contents, mapped as the CD-ROM drive D:,
# starts the installer.
#   image-scenario.sh <sample disc folder> <PelmoraCheck.exe> <e2e_tests.exe>
set -uo pipefail
disc=$1
export PELMORA_CHECKER=$2
driver=$3
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/lib/wine-session.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/pelmora-image.XXXXXX")
drive="$WINEPREFIX/dosdevices/d:"
previous=$(readlink "$drive" || true)
cleanup() {
  [ -z "$previous" ] || ln -sfn "$previous" "$drive"
  chmod -R u+w "$work"
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

image="$work/Corvane.iso"
"$root/scripts/make-disc" "$disc" --iso "$image" || fail "make-disc did not write the image"
label=$(xorriso -indev "$image" -pvd_info 2>/dev/null | sed -n 's/^Volume Id *: //p')
[ "$label" = Corvane ] || fail "the volume label is \"$label\", not the product name"

# Read back through each tree alone: without Rock Ridge or without Joliet,
# xorriso falls back to the plain ISO 9660 names, which differ.
for tree in rock-ridge:nojoliet joliet:norock; do
  name=${tree%%:*}
  xorriso -read_fs "${tree#*:}" -osirrox on -indev "$image" -extract / "$work/$name" >"$work/$name.log" 2>&1 ||
    { cat "$work/$name.log"; fail "xorriso could not read the $name tree back"; }
  diff -r --no-dereference "$disc" "$work/$name" || fail "the $name tree differs from the disc"
  echo "ok   the $name tree holds the disc byte for byte"
done

cp -R "$disc" "$work/broken"
rm "$work/broken/Lirvo.dll"
"$root/scripts/make-disc" "$work/broken" --iso "$work/broken.iso" >/dev/null 2>&1
status=$?
[ $status -eq 1 ] && [ ! -e "$work/broken.iso" ] ||
  fail "a broken disc gave exit code $status and $( [ -e "$work/broken.iso" ] && echo "an" || echo "no") image"
echo "ok   a broken disc makes no image"

# The drive maps the folder on every access: pointing it elsewhere takes
# effect at once, and its type stays CD-ROM.
[ -L "$drive" ] || fail "the session has no drive D:"
ln -sfn "$work/joliet" "$drive"
LC_ALL=en_US.UTF-8 "$WINE" "$driver" --gtest_filter='ImageDisc.*' </dev/null >"$work/driver.log" 2>&1
status=$?
cat "$work/driver.log"
[ $status -eq 0 ] && grep -q '^\[  PASSED  \] 1 test' "$work/driver.log" || fail "installing from the image"
