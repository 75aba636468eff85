#!/bin/sh
# Builds the libFuzzer targets (clang, AddressSanitizer and UndefinedBehaviorSanitizer) and runs
# each for SECONDS seconds (default 60) on a seed corpus made from the golden cases. An input that
# breaks a target is copied into fuzz/regressions/<target>/, which the ordinary tests replay.
# Usage: fuzz/run.sh [SECONDS] [TARGET...]
set -eu
cd "$(dirname "$0")/.."
seconds=${1:-60}
[ $# -gt 0 ] && shift
scripts/deps.sh cmake make clang libclang-rt-14-dev nlohmann-json3-dev
CC=clang CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTRAX_FUZZ=ON \
  -DVELTRAX_TESTS=OFF >/dev/null
cmake --build build/fuzz -j"$(nproc)" >/dev/null

# Seeds: every golden netlist for the readers (a first byte for the format option), and every
# golden pair for the run.
formats="cadvance mm2 cadlus protel telesis ccf pads"
corpus=build/fuzz/corpus
for dir in tests/golden/*/; do
  ref_format=6; cmp_format=6; option=0
  if [ -f "$dir/case.txt" ]; then
    ref_format=$(sed -n 's/^ref_format=//p' "$dir/case.txt"); ref_format=${ref_format:-6}
    cmp_format=$(sed -n 's/^cmp_format=//p' "$dir/case.txt"); cmp_format=${cmp_format:-6}
    option=$(sed -n 's/^format_option=//p' "$dir/case.txt"); option=${option:-0}
  fi
  name=$(basename "$dir")
  i=0
  for f in $formats; do
    mkdir -p "$corpus/read_$f"
    for side in ref cmp; do
      eval "side_format=\$${side}_format"
      [ "$side_format" = "$i" ] || continue
      { printf "\\$(printf %o $((48 + option)))"; cat "$dir/$side.net"; } >"$corpus/read_$f/$name-$side"
    done
    i=$((i + 1))
  done
  mkdir -p "$corpus/run"
  size=$(wc -c <"$dir/ref.net")
  { printf "\\$(printf %o $((ref_format + 7 * cmp_format)))\\$(printf %o "$option")"
    printf "\\$(printf %o $((size % 256)))\\$(printf %o $((size / 256 % 256)))"
    cat "$dir/ref.net" "$dir/cmp.net"; } >"$corpus/run/$name"
done

# Seeds of the parameter file: one of every start the shell tests make, and a plain one.
mkdir -p "$corpus/parameter_file"
{ echo 40; for i in $(seq 40); do echo $((i % 3)); done; echo 40
  for i in $(seq 40); do echo "text $i"; done; } | sed 's/$/\r/' >"$corpus/parameter_file/plain"

targets=${*:-"read_cadvance read_mm2 read_cadlus read_protel read_telesis read_ccf read_pads run parameter_file"}
status=0
for target in $targets; do
  mkdir -p "$corpus/$target" "build/fuzz/artifacts/$target"
  for seeds in "fuzz/regressions/$target"; do
    [ -d "$seeds" ] && cp "$seeds"/* "$corpus/$target/" 2>/dev/null || true
  done
  echo "== $target: $seconds s"
  if ! "build/fuzz/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len=65536 -timeout=30 \
      -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="build/fuzz/artifacts/$target/" "$corpus/$target" \
      >"build/fuzz/$target.log" 2>&1; then
    status=1
    mkdir -p "fuzz/regressions/$target"
    cp "build/fuzz/artifacts/$target"/* "fuzz/regressions/$target/"
    echo "   broke: see build/fuzz/$target.log; the input is now in fuzz/regressions/$target/"
  fi
  grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "build/fuzz/$target.log" | tr '\n' ' '
  echo
done
exit $status
