#!/usr/bin/env bash
# Runs a check that must refuse its input: passes when the check fails and
# says why in the words given.
#   expect-refusal.sh <words> <check> [arguments...]
set -uo pipefail
words=$1; shift
output=$("$@" 2>&1); status=$?
printf '%s\n' "$output"
if [ $status -eq 0 ]; then echo "the check accepted what it must refuse"; exit 1; fi
if ! printf '%s\n' "$output" | grep -qF -- "$words"; then echo "the check failed without saying: $words"; exit 1; fi
echo "refused, as it must be"
