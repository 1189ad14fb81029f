#!/bin/sh
# Runs one fuzz target for a number of seconds from its seed corpus and prints
# one line: target, executions, coverage, features and the result. Exits 1 on a
# finding, after the end of the target's log.
# Usage: run-fuzzer.sh <built target> <seconds> <work folder>
set -u
program=$1
seconds=$2
name=$(basename "$program")
seeds="$(cd "$(dirname "$0")/corpus" && pwd)/$name"
work="$3/$name"
corpus="$work/corpus"
mkdir -p "$corpus" "$work/findings"
log="$work/log.txt"
# The first folder gathers the inputs that add coverage; the seeds stay as committed.
"$program" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$work/findings/" "$corpus" "$seeds" >"$log" 2>&1
status=$?
executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
coverage=$(grep -E '^#[0-9]+' "$log" | tail -n 1 | sed -n 's/.*cov: \([0-9]*\) ft: \([0-9]*\).*/\1 \2/p')
result=clean
[ "$status" -eq 0 ] || result="FINDING (see $log)"
# shellcheck disable=SC2086
printf '%-30s %12s %8s %8s %s\n' "$name" "${executions:-?}" ${coverage:-? ?} "$result"
if [ "$status" -ne 0 ]; then
  tail -n 40 "$log"
  exit 1
fi
