#!/usr/bin/env bash
# Builds the fuzz preset and runs every fuzz target over its seed corpus, then prints per
# target: executions, executions per second, coverage features and findings.
#
#   fuzz/run.sh [SECONDS [RUNS]]
#                          a campaign of SECONDS per target (default 600), a target ending
#                          early after RUNS executions (default: no limit); each corpus grows
#                          in build-fuzz/campaign/<target>, seeded from fuzz/corpus/<target>
#   fuzz/run.sh --ci       20 s per target on a throw-away copy of the corpus; any crash,
#                          leak, time-out or sanitizer report makes the script fail
#
# Findings (the inputs that failed) land in build-fuzz/findings/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD

mode=campaign
seconds=${1:-600}
runs=${2:--1}
if [[ "${1:-}" == "--ci" ]]; then
  mode=ci
  seconds=20
fi
if ! [[ "$seconds" =~ ^[0-9]+$ && "$runs" =~ ^-?[0-9]+$ ]]; then
  echo "usage: fuzz/run.sh [SECONDS [RUNS]] | --ci" >&2
  exit 2
fi

bash scripts/install-deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

build=$source_dir/build-fuzz
work=$build/campaign
if [[ $mode == ci ]]; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
fi

failed=0
table="target executions exec/s features findings"
for seeds in "$source_dir"/fuzz/corpus/*/; do
  name=$(basename "$seeds")
  corpus=$work/$name findings=$build/findings/$name log=$build/findings/$name.log
  mkdir -p "$corpus" "$findings"
  options=(-max_total_time="$seconds" -runs="$runs" -rss_limit_mb=1024 -timeout=5 -print_final_stats=1
           -artifact_prefix="$findings/")
  [[ -f $source_dir/fuzz/dict/$name.dict ]] && options+=(-dict="$source_dir/fuzz/dict/$name.dict")
  before=$(find "$findings" -type f | wc -l)
  echo "fuzzing $name for $seconds s"
  status=0
  "$build/targets/fuzz_$name" "${options[@]}" "$corpus" "$seeds" >"$log" 2>&1 || status=$?
  found=$(($(find "$findings" -type f | wc -l) - before))
  if ((status != 0 || found != 0)); then
    failed=1
    echo "FAILED: $name (exit $status); the report is in $log" >&2
    grep -E "ERROR|SUMMARY|broken promise|runtime error" "$log" | head -5 >&2 || true
  fi
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  features=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  table+=$'\n'"$name ${executions:--} ${speed:--} ${features:--} $found"
done

echo
column -t <<<"$table"
exit $failed
