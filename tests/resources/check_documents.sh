#!/usr/bin/env bash
# The documents beside the program: the help file holds every file its project lists,
# every picture that a page shows is in the project, and no page keeps a placeholder.
# Usage: check_documents.sh PROGRAM_DIR STAGED_HELP_DIR
set -uo pipefail
bin=$1
stage=$2
fail=0
problem() { echo "$*"; fail=1; }

for f in quellin.chm readme.htm; do
  [ -s "$bin/$f" ] || problem "missing beside the program: $f"
done
[ -s "$bin/quellin.chm" ] || exit 1
head -c 4 "$bin/quellin.chm" | grep -q ITSF || problem "quellin.chm is not a compiled help file"

listed=$(sed -n '/^\[FILES\]/,/^\[/p' "$stage/quellin.hhp" | grep -v '^\[' | tr -d '\r' | grep -v '^$')
contents=$(strings -n 4 "$bin/quellin.chm")
for f in $listed; do
  grep -q "/$f\$" <<<"$contents" || problem "quellin.chm lacks $f"
done
for page in "$stage"/*.htm; do
  for picture in $(grep -o 'src="[^"]*"' "$page" | sed 's/src="\(.*\)"/\1/'); do
    grep -qx "$picture" <<<"$listed" || problem "$(basename "$page") shows $picture, which the project does not list"
  done
done
for page in "$stage"/*.htm "$bin/readme.htm"; do
  grep -n '@[A-Z_]*@' "$page" && problem "$(basename "$page") keeps a placeholder"
done
grep -q '3\.2a' "$bin/readme.htm" || problem "readme.htm does not name the version"
exit $fail
