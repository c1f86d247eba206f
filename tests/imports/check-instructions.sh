#!/usr/bin/env bash
# The shipped files run on any i686 (Pentium Pro-class) processor: their code
# holds no instruction of a later set: MMX, 3DNow!, SSE and its successors,
# AVX, BMI and the like. Debian's MinGW-w64 runtime (crt2.o, libgcc,
# libstdc++) is built for i686 and executes cmov at every start, so i686 is
# the floor already; this check keeps it from rising silently, through a
# compiler flag or a new piece of the runtime.
#
# The code is read from the file itself. The linker's map (written beside it
# by the build) tells where the code ends, since the rest of .text holds the
# constructor lists and exception tables, and which object each piece of code
# came from.
#   check-instructions.sh <objdump> <binary> <map>
set -euo pipefail
objdump=$1 binary=$2 map=$3
name=$(basename "$binary")

[ -f "$map" ] || { echo "$name: no linker map at $map (build the target again)"; exit 1; }

# The output section .text, and the constructor list the linker puts after
# the code in it.
read -r text_start ctor_list < <(awk '
  /^\.text[ \t]+0x[0-9a-fA-F]+/ && start == "" { start = $2 }
  /_CTOR_LIST__ = \./ && ctor == "" { ctor = $1 }
  END { print start, ctor }' "$map") || true
if [ -z "${text_start:-}" ] || [ -z "${ctor_list:-}" ]; then
  echo "$name: $map names no .text section or constructor list"; exit 1
fi
# The map must describe this very file: same .text address, and the
# constructor list (which starts with the word -1) where the map says.
vma=$("$objdump" -h "$binary" | awk '$2 == ".text" { print "0x" $4 }')
marker=$("$objdump" -s -j .text --start-address="$ctor_list" --stop-address=$((ctor_list + 4)) "$binary" |
  awk '/^ [0-9a-f]+ / { print $2 }')
if [ $((vma)) -ne $((text_start)) ] || [ "$marker" != "ffffffff" ]; then
  echo "$name: $map does not describe this file (rebuild it)"; exit 1
fi

# Mnemonics of later sets that name no MMX, XMM or wider register. Not among
# them: tzcnt, which GCC writes as "rep bsf" where the operand is never zero
# and which processors without BMI execute as bsf.
later='^(emms|femms|ldmxcsr|stmxcsr|sfence|lfence|mfence|clflush.*|clwb|prefetch.*|movnti.*|fisttp.*|monitor.*|mwait.*|popcnt.*|lzcnt.*|movbe.*|crc32.*|andn|bextr|blsi|blsmsk|blsr|bzhi|pdep|pext|rorx|sarx|shlx|shrx|mulx|adcx|adox|rdrand|rdseed|rdtscp|xgetbv|xsetbv|xsave.*|xrstor.*|fxsave.*|fxrstor.*|syscall|sysret|sysenter|sysexit|cmpxchg16b)$'
registers='%(mm[0-7]|xmm[0-9]+|ymm[0-9]+|zmm[0-9]+|k[0-7]|bnd[0-3])([^0-9]|$)'

report=$("$objdump" -d --no-show-raw-insn --start-address="$text_start" --stop-address="$ctor_list" "$binary" |
  awk -v later="$later" -v registers="$registers" -v map="$map" '
  function hex(s,   i, v) {
    s = tolower(s); sub(/^0x/, "", s); v = 0
    for (i = 1; i <= length(s); i++) v = v * 16 + index("0123456789abcdef", substr(s, i, 1)) - 1
    return v
  }
  # The pieces of code in the map: input sections .text*, .init and .fini,
  # on one line or with the name on a line of its own.
  function piece(address, size, file) { first[n] = hex(address); last[n] = hex(address) + hex(size); from[n++] = file }
  BEGIN {
    n = 0
    while ((getline line < map) > 0) {
      k = split(line, f, /[ \t]+/)
      if (line ~ /^ \.(text|init|fini)[^ \t]*[ \t]+0x/ && k >= 5) piece(f[3], f[4], f[5])
      else if (line ~ /^ \.(text|init|fini)[^ \t]*$/ && (getline next_line < map) > 0) {
        k = split(next_line, f, /[ \t]+/)
        if (k >= 4 && f[2] ~ /^0x/) piece(f[2], f[3], f[4])
      }
    }
  }
  function origin(address,   i, file) {
    for (i = 0; i < n; i++)
      if (address >= first[i] && address < last[i]) { file = from[i]; sub(/.*\//, "", file); return file }
    return "?"
  }
  /^ *[0-9a-f]+:\t/ {
    split($0, parts, "\t")
    address = parts[1]; sub(/^ +/, "", address); sub(/:$/, "", address)
    insn = parts[2]; sub(/<[^>]*>/, "", insn)
    count++
    k = split(insn, words, /[ \t,]+/)
    bad = insn ~ registers
    for (i = 1; i <= k && !bad; i++) {
      if (words[i] ~ /[%$(]/ || words[i] ~ /^0x/) break
      if (words[i] ~ later) bad = 1
    }
    if (bad) {
      offenders++
      if (offenders <= 20) printf "  0x%s  %-40s %s\n", address, insn, origin(hex(address))
    }
  }
  END {
    if (offenders > 20) printf "  ... and %d more\n", offenders - 20
    printf "%d %d\n", count, offenders
  }')

read -r count offenders < <(printf '%s\n' "$report" | tail -n 1)
if [ "${count:-0}" -eq 0 ]; then
  echo "$name: no code found between $text_start and $ctor_list"; exit 1
fi
if [ "$offenders" -gt 0 ]; then
  echo "$name: $offenders instruction(s) beyond the i686 set:"
  printf '%s\n' "$report" | sed '$d'
  exit 1
fi
echo "$name: $count instructions, none beyond the i686 set"
