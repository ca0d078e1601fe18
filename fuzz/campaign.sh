#!/usr/bin/env bash
# A fuzzing campaign: every libFuzzer target for MINUTES minutes (default 5),
# starting from its seed corpus in fuzz/corpus/NAME. Prints the executions,
# the corpus grown and the findings of each target; findings are kept in
# build/fuzz/findings/NAME. Exits 1 if any target found anything.
# Usage: fuzz/campaign.sh [MINUTES] [TARGET ...]
set -euo pipefail
cd "$(dirname "$0")/.."
minutes=${1:-5}
shift || true
cmake --workflow --preset fuzz >/dev/null
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for t in build/fuzz/fuzz/fuzz_*; do targets+=("${t##*/fuzz_}"); done
fi
found_any=0
printf '%-22s %14s %8s %9s\n' target executions corpus findings
for name in "${targets[@]}"; do
  findings=build/fuzz/findings/$name
  corpus=build/fuzz/corpus/$name # grown corpus; the committed seeds stay small
  mkdir -p "$findings" "$corpus"
  log=$findings/campaign.log
  build/fuzz/fuzz/fuzz_"$name" -close_fd_mask=2 -max_total_time=$((minutes * 60)) -max_len=4096 \
    -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" "fuzz/corpus/$name" >"$log" 2>&1 || true
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  n=$(find "$findings" -maxdepth 1 -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) | wc -l)
  [ "$n" -eq 0 ] || found_any=1
  printf '%-22s %14s %8s %9s\n' "$name" "${runs:-?}" "$(ls "$corpus" | wc -l)" "$n"
done
exit $found_any
