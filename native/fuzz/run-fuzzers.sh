#!/bin/sh
# Runs every fuzz target for the same time, from its seed corpus, and fails on
# any finding. Usage: run-fuzzers.sh <folder of the built targets> [seconds]
set -u
targets=$1
seconds=${2:-60}
seeds=$(cd "$(dirname "$0")/corpus" && pwd)
work="$targets/runs"
mkdir -p "$work"
failed=""
printf '%-30s %12s %8s %8s %s\n' target executions cov ft result
for program in "$targets"/fuzz_*; do
  [ -x "$program" ] || continue
  name=$(basename "$program")
  corpus="$work/$name/corpus"
  mkdir -p "$corpus" "$work/$name/findings"
  log="$work/$name/log.txt"
  # The first folder gathers the inputs that add coverage; the seeds stay as committed.
  "$program" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$work/$name/findings/" "$corpus" "$seeds/$name" >"$log" 2>&1
  status=$?
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  coverage=$(grep -E '^#[0-9]+' "$log" | tail -n 1 | sed -n 's/.*cov: \([0-9]*\) ft: \([0-9]*\).*/\1 \2/p')
  result=clean
  if [ "$status" -ne 0 ]; then
    result="FINDING (see $log)"
    failed="$failed $name"
  fi
  # shellcheck disable=SC2086
  printf '%-30s %12s %8s %8s %s\n' "$name" "${executions:-?}" ${coverage:-? ?} "$result"
done
if [ -n "$failed" ]; then
  echo "Findings in:$failed"
  exit 1
fi
