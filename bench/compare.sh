#!/usr/bin/env bash
# aeonmark against the date tools people use today, on the same 10,000 Unix
# times (fixed seed, years 1000 to 9999) converted to Gregorian text: checks
# that the tools print the same lines, then prints each one's instructions
# per date (valgrind --tool=callgrind) and the ratios.
#   GNU date:   date -u -f FILE +%Y-%m-%dT%H:%M:%S   (lines @N)
#   dateutils:  dconv -i %s -f '%Y-%m-%dT%H:%M:%S'    (lines N, years 1970
#               to 2999, which it reads; installed from Debian's dateutils
#               when missing, else skipped)
# Usage: bench/compare.sh [N]
cd "$(dirname "$0")/.."
source bench/common.sh

per_date() { # one-line input, N-line input, command...
  local one_in=$1 all_in=$2
  shift 2
  cp "$one_in" "$work/stdin"
  local one all
  one=$(instr "$@")
  cp "$all_in" "$work/stdin"
  all=$(instr "$@")
  echo $(((all - one) / (N - 1)))
}

four_digit_years >"$work/secs"
sed 's/^/@/' "$work/secs" >"$work/at"
head -n 1 "$work/at" >"$work/at1"
head -n 1 "$work/secs" >"$work/secs1"
mapfile -t unix < <(sed 's/^/U/' "$work/secs")

"$bin" -g "${unix[@]}" >"$work/aeonmark.out"
date -u -f "$work/at" +%Y-%m-%dT%H:%M:%S >"$work/date.out"
cmp -s "$work/aeonmark.out" "$work/date.out" || { echo "aeonmark and GNU date disagree:" >&2; diff "$work/aeonmark.out" "$work/date.out" | head >&2; exit 1; }
echo "aeonmark -g and GNU date print the same $N lines"

one=$(instr "$bin" -g "${unix[0]}")
all=$(instr "$bin" -g "${unix[@]}")
ours=$(((all - one) / (N - 1)))
gnu=$(per_date "$work/at1" "$work/at" date -u -f - +%Y-%m-%dT%H:%M:%S)
echo "per date: aeonmark -g $ours instructions, GNU date $gnu: ratio $(awk -v a="$ours" -v b="$gnu" 'BEGIN { printf "%.3f", a / b }')"
if [ $((ours * 5)) -le "$gnu" ]; then echo "  within budget (1/5 of GNU date)"; else echo "  OVER BUDGET (1/5 of GNU date)"; over=1; fi

dconv=$(find_dconv)
if [ -z "$dconv" ]; then
  echo "dateutils' dconv: not installed and cannot be installed here; skipped"
else
  # dconv reads no negative count and no very large one: its own set, 1970 to 2999.
  python3 - "$N" >"$work/dsecs" <<'PY'
import random, sys
random.seed(1970)
for _ in range(int(sys.argv[1])):
    print(random.randint(1, 32503679999))
PY
  head -n 1 "$work/dsecs" >"$work/dsecs1"
  mapfile -t dunix < <(sed 's/^/U/' "$work/dsecs")
  "$bin" -g "${dunix[@]}" >"$work/aeonmark.d.out"
  "$dconv" -i %s -f '%Y-%m-%dT%H:%M:%S' <"$work/dsecs" >"$work/dconv.out"
  cmp -s "$work/aeonmark.d.out" "$work/dconv.out" || { echo "aeonmark and dconv disagree:" >&2; diff "$work/aeonmark.d.out" "$work/dconv.out" | head >&2; exit 1; }
  echo "aeonmark -g and dconv print the same $N lines (years 1970 to 2999)"
  one=$(instr "$bin" -g "${dunix[0]}")
  all=$(instr "$bin" -g "${dunix[@]}")
  ours_d=$(((all - one) / (N - 1)))
  theirs=$(per_date "$work/dsecs1" "$work/dsecs" "$dconv" -i %s -f '%Y-%m-%dT%H:%M:%S')
  echo "per date: aeonmark -g $ours_d instructions, dconv $theirs: ratio $(awk -v a="$ours_d" -v b="$theirs" 'BEGIN { printf "%.3f", a / b }')"
  if [ "$ours_d" -lt "$theirs" ]; then echo "  within budget (fewer than dconv)"; else echo "  OVER BUDGET (fewer than dconv)"; over=1; fi
fi

echo
bench/instructions.sh "$N" || over=1
exit $over
