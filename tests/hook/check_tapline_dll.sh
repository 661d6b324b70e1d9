#!/usr/bin/env bash
# Checks the built Tapline.dll file: the shared section, the export table and the DLLs it
# needs. Usage: check_tapline_dll.sh OBJDUMP Tapline.dll POINTER_BYTES
set -uo pipefail
objdump=$1
dll=$2
pointer=$3
# Two handles, then two 32-bit words.
section_bytes=$((2 * pointer + 8))
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

headers=$("$objdump" -h "$dll") || { echo "FAIL: objdump cannot read $dll"; exit 1; }
section=$(grep -A1 -E '^ *[0-9]+ \.sdata ' <<<"$headers")
if [ -z "$section" ]; then
  fail "no .sdata section"
else
  size=$((16#$(awk 'NR==1 {print $3}' <<<"$section")))
  # Nothing but the four fields in the 32-bit library; x86-64 pads the section.
  if [ "$pointer" -eq 4 ]; then [ "$size" -eq "$section_bytes" ]; else [ "$size" -ge "$section_bytes" ]; fi &&
    pass ".sdata holds the four fields" || fail ".sdata is $size bytes for $section_bytes"
  flags=$(sed -n 2p <<<"$section" | tr -d ' ')
  [ "$flags" = "CONTENTS,ALLOC,LOAD,DATA,SHARED" ] && pass ".sdata flags $flags" || fail ".sdata flags $flags"
  contents=$("$objdump" -s -j .sdata "$dll" | awk '/^ [0-9a-f]+ / {print $2 $3 $4 $5}' | tr -d '\n')
  [ "${#contents}" -eq $((2 * size)) ] && [ -z "${contents//0/}" ] && pass ".sdata is all zeros in the file" ||
    fail ".sdata contents $contents"
fi

private=$("$objdump" -p "$dll")
exports=$(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$private" | grep -E '^\s+\[' |
  sed -E 's/^\s+\[ *([0-9]+)\] +(.*)$/\1 \2/')
base=$(sed -n 's/^Ordinal Base[[:space:]]*//p' <<<"$private" | head -1 | tr -d ' \t')
named=$(while read -r index name; do [ -n "$index" ] && echo "$((index + base)) $name"; done <<<"$exports")
expected=$'1 GetKeyboardCount\n2 GetMousePos\n3 InstallHooks\n4 RemoveHooks'
[ "$named" = "$expected" ] && pass "exports by name and ordinal" || fail "exports: $(tr '\n' ',' <<<"$named")"
grep -Eq 'KeyboardHookProc|DllMain|@' <<<"$exports" && fail "decorated or internal names exported"

dlls=$(sed -n 's/^\s*DLL Name: //p' <<<"$private" | tr 'A-Z' 'a-z' | sort | paste -sd ' ')
for name in $dlls; do
  case $name in
    kernel32.dll | user32.dll | msvcrt.dll) ;;
    *) fail "depends on $name" ;;
  esac
done
pass "imports: $dlls"

[ "$failures" -eq 0 ]
