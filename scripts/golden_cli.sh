#!/bin/sh
# Runs the command-line program on every golden case and checks its result file and exit status
# against the expected ones, optionally under a checker such as valgrind:
#   scripts/golden_cli.sh build/test/veltrax_diffr [valgrind --error-exitcode=99 -q]
set -eu
cli=$(realpath "$1")
shift
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
name_of() {
  case "$1" in
    0) echo cadvance ;; 1) echo mm2 ;; 2) echo cadlus ;; 3) echo protel ;; 4) echo telesis ;;
    5) echo ccf ;; *) echo pads ;;
  esac
}
failed=0
count=0
for dir in "$root"/tests/golden/*/; do
  case_name=$(basename "$dir")
  ref_format=6; cmp_format=6; option=0; language=en
  if [ -f "$dir/case.txt" ]; then
    v=$(sed -n 's/^ref_format=//p' "$dir/case.txt"); ref_format=${v:-6}
    v=$(sed -n 's/^cmp_format=//p' "$dir/case.txt"); cmp_format=${v:-6}
    v=$(sed -n 's/^format_option=//p' "$dir/case.txt"); option=${v:-0}
    v=$(sed -n 's/^language=//p' "$dir/case.txt"); language=${v:-en}
  fi
  rm -rf "$work/case" && mkdir "$work/case" && cp "$dir/ref.net" "$dir/cmp.net" "$work/case/"
  status=0
  (cd "$work/case" && LC_ALL=C "$@" "$cli" --ref-format "$(name_of "$ref_format")" \
    --cmp-format "$(name_of "$cmp_format")" -x "$option" -l "$language" ref.net cmp.net \
    >stdout.txt 2>stderr.txt) || status=$?
  count=$((count + 1))
  if [ "$status" -gt 2 ]; then
    echo "$case_name: exit status $status"; cat "$work/case/stderr.txt"; failed=1; continue
  fi
  # A case without expected.csv is a failed run, which leaves no result file.
  if [ ! -f "$dir/expected.csv" ]; then
    if [ -e "$work/case/cmp.csv" ]; then echo "$case_name: a failed run left cmp.csv"; failed=1; fi
  elif ! cmp -s "$work/case/cmp.csv" "$dir/expected.csv"; then
    echo "$case_name: the result file differs from expected.csv"; failed=1
  fi
  if [ "$status" != "$(cat "$dir/expected.status")" ]; then
    echo "$case_name: exit status $status, expected $(cat "$dir/expected.status")"; failed=1
  fi
done
echo "$count golden cases run through $(basename "$cli")${1:+ under $1}"
exit $failed
