#!/bin/sh
# Runs the benchmarks of two builds one after the other, for a before and after on a shared,
# noisy machine: compare each build's figures with its own peers (the one-column table, the
# trigonometry, snprintf), medians of repeated runs.
#
#   bench/before-after.sh OLD_BUILD_DIR NEW_BUILD_DIR [REPETITIONS]
set -eu
old=$1
new=$2
repetitions=${3:-5}
run() {
  "$1" --benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true 2>/dev/null |
    grep median | sed "s|^|$2  |"
}
for bench in AeroBench AutopilotBench; do
  run "$old/bin/$bench" before
  run "$new/bin/$bench" after
done
FLY_BENCH_BASELINE="$old/bin/vantor-sim" "$new/bin/FlyBench" --benchmark_repetitions="$repetitions" \
  --benchmark_report_aggregates_only=true 2>/dev/null | grep median
