#!/usr/bin/env bash
# Builds the fuzz preset and runs every libFuzzer target for a bounded time: 20 s each, or
# the number of seconds given (scripts/fuzz.sh 3600). Two targets run at a time (one per
# core). Each starts from the seeds in fuzz/corpus/<target> and from what earlier runs kept
# in build/fuzz/corpus/<target>; an input that breaks a property is saved in
# build/fuzz/findings/<target>/ and fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
targets=(line_reader macro_list selection technique_chart)

scripts/install-deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"

run() {
  local target=$1 out=build/fuzz/runs/$1
  mkdir -p "$out" "build/fuzz/corpus/$target" "build/fuzz/findings/$target"
  if build/fuzz/fuzz/"${target}"_fuzzer -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="build/fuzz/findings/$target/" \
      "build/fuzz/corpus/$target" "fuzz/corpus/$target" >"$out/log" 2>&1; then
    echo "$target: $(sed -n 's/^stat::number_of_executed_units: *//p' "$out/log") executions" \
         "in ${seconds} s, 0 findings"
  else
    tail -n 40 "$out/log"
    echo "$target: FAILED, input saved in build/fuzz/findings/$target/"
    return 1
  fi
}

status=0
for ((i = 0; i < ${#targets[@]}; i += 2)); do
  pids=()
  for target in "${targets[@]:i:2}"; do
    run "$target" &
    pids+=($!)
  done
  for pid in "${pids[@]}"; do wait "$pid" || status=1; done
done
exit $status
