#!/bin/sh
# Runs every fuzz target for the same time, from its seed corpus, and fails on
# any finding. Usage: run-fuzzers.sh <folder of the built targets> [seconds]
set -u
targets=$1
seconds=${2:-60}
here=$(dirname "$0")
failed=""
printf '%-30s %12s %8s %8s %s\n' target executions cov ft result
for program in "$targets"/fuzz_*; do
  [ -f "$program" ] && [ -x "$program" ] || continue
  "$here/run-fuzzer.sh" "$program" "$seconds" "$targets/runs" || failed="$failed $(basename "$program")"
done
if [ -n "$failed" ]; then
  echo "Findings in:$failed"
  exit 1
fi
