#!/bin/sh
# Generates the benchmark netlists and runs the benchmarks: the median of 10 repetitions of the
# whole run, of reading and indexing alone, of the command-line program (with its peak memory),
# of the plain Python script and of a program that only reads the two files; and the command-line
# program with --no-limits on the PADS pairs beyond the fixed capacities (3 repetitions of the
# million-pin pair). Extra arguments go to Google Benchmark (for example --benchmark_filter=full).
set -eu
cd "$(dirname "$0")/.."
scripts/deps.sh cmake make g++ libbenchmark-dev python3 nlohmann-json3-dev
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DVELTRAX_TESTS=OFF -DVELTRAX_BENCH=ON >/dev/null
cmake --build build/bench -j"$(nproc)" >/dev/null
[ -f build/bench/data/full-pads-ref.net ] || python3 bench/gen_netlists.py build/bench/data \
  --formats pads,cadvance,mm2,cadlus,protel,telesis,ccf
big=""
for set in big20k big100k big1m adv100k; do
  [ -f "build/bench/data/$set-pads-cmp.net" ] || big="$big,$set"
done
[ -z "$big" ] || python3 bench/gen_netlists.py build/bench/data --sets "${big#,}" --formats pads
# The processes are measured by a run of their own, before any table is allocated in the
# benchmark program, so that their peak memory is their own.
for kind in 'Run|ReadIndex' 'Cli|CliDefault|Python|Floor'; do
  build/bench/bench/bench_run build/bench/data build/bench/veltrax_diffr bench/plain_diff.py \
    build/bench/bench/read_floor \
    --benchmark_filter="^($kind)/" --benchmark_repetitions=10 \
    --benchmark_report_aggregates_only=true --benchmark_display_aggregates_only=true "$@"
done
