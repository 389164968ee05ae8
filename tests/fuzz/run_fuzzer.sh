#!/usr/bin/env bash
# Runs a libFuzzer program over a fixed number of inputs from the seed corpus
# in the tree. What it discovers goes to WORK_DIR, never into the tree, and
# WORK_DIR starts empty so that every run explores the same inputs.
# Usage: run_fuzzer.sh FUZZER SEED_CORPUS DICTIONARY WORK_DIR RUNS
set -euo pipefail
fuzzer=$1 seeds=$2 dictionary=$3 work=$4 runs=$5

rm -rf "$work"
mkdir -p "$work/corpus"
log=$work/fuzz.log
status=0
"$fuzzer" -seed=1 -runs="$runs" -max_len=512 -timeout=10 -dict="$dictionary" \
    -artifact_prefix="$work/" -print_final_stats=1 "$work/corpus" "$seeds" >"$log" 2>&1 ||
    status=$?
if ((status != 0)); then
    cat "$log"
    exit "$status"
fi
grep -E '^(#[0-9]+[[:space:]]+DONE|Done [0-9]+ runs|stat::number_of_executed_units)' "$log"
