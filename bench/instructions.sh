#!/usr/bin/env bash
# Instruction counts (valgrind --tool=callgrind: repeatable on shared
# machines, unlike wall time) and peak memory of the whole program.
#   start-up:  `aeonmark U0` against a C program that prints one line
#   per date:  (total for N dates - total for 1 date) / (N - 1)
#   memory:    peak resident size with N dates against the C program
# Usage: bench/instructions.sh [N]   (default 10000; builds the bench preset)
cd "$(dirname "$0")/.."
source bench/common.sh
base=$PWD/build/bench/bench/puts_baseline
rss=$PWD/build/bench/bench/peak_rss

# Each figure has a budget, the figure as last measured for the counts and
# a ceiling for the ratios; a run is over when it passes its budget by more
# than 2%, which no change of the code's own leaves unnoticed.
check() { # name value budget
  if awk -v v="$2" -v b="$3" 'BEGIN { exit !(v > b * 1.02) }'; then
    echo "  OVER BUDGET ($3, by more than 2%)"
    over=1
  else
    echo "  within budget ($3)"
  fi
}

# N Unix dates with a fixed seed: half over the whole 64-bit range of
# seconds, half over the years people mostly convert (1900 to 2200).
python3 - "$N" >"$work/unix" <<'PY'
import random, sys
random.seed(20261209)
EPOCH = 62135769600
for i in range(int(sys.argv[1])):
    s = random.randrange(2**64) if i % 2 else EPOCH + random.randrange(-2208988800, 7258118400)
    print("U%d" % (s - EPOCH))
PY

# N instants spread evenly over the aeonmark regions (negative eras, early
# eras, the ten-day and two-day stretches, new eras), as Unix dates.
python3 - "$N" >"$work/regions" <<'PY'
import random, sys
random.seed(2162)
EPOCH = 62135769600
regions = [(0, 68195001600), (68195001600, 71605036800), (71605036800, 72037036800),
           (72037036800, 72410284800), (72410284800, 73275321600), (73275321600, 2**64)]
for i in range(int(sys.argv[1])):
    lo, hi = regions[i % len(regions)]
    print("U%d" % (random.randrange(lo, hi) - EPOCH))
PY

# The same instants in another notation, written by the program itself.
convert() { xargs "$bin" "$1" <"$2"; }

per_date() { # label options file budget
  mapfile -t dates <"$3"
  local one all
  one=$(instr "$bin" "$2" "${dates[0]}")
  all=$(instr "$bin" "$2" "${dates[@]}")
  local per=$(((all - one) / (${#dates[@]} - 1)))
  echo "per date, $1: $per instructions ($all for ${#dates[@]} dates, $one for 1)"
  check "$1" "$per" "$4"
}

echo "aeonmark $(git rev-parse --short HEAD 2>/dev/null || echo unknown), $N dates, $(date -u +%Y-%m-%d)"
startup=$(instr "$bin" U0)
baseline=$(instr "$base")
ratio=$(awk -v a="$startup" -v b="$baseline" 'BEGIN { printf "%.3f", a / b }')
echo "start-up: aeonmark U0 $startup instructions, puts baseline $baseline: ratio $ratio"
check start-up "$ratio" 1.10

# The years 1000 to 9999 as Unix dates, the set of bench/compare.sh.
four_digit_years | sed 's/^/U/' >"$work/years"
per_date "-g over Unix dates of the years 1000 to 9999" -g "$work/years" 383
per_date "-s over Unix dates of the years 1000 to 9999" -s "$work/years" 371
convert -g "$work/years" >"$work/years.g"
per_date "-u over Gregorian dates of the years 1000 to 9999" -u "$work/years.g" 565
per_date "-sux over Unix dates" -sux "$work/unix" 717
convert -s6 "$work/regions" >"$work/aeonmark"
per_date "-u over aeonmark texts of every region" -u "$work/aeonmark" 434
convert -g "$work/unix" >"$work/gregorian"
per_date "-jg over Gregorian dates" -jg "$work/gregorian" 925
# Each date in one of the six notations in turn (x: Unix time in hex).
convert -s6jgqux "$work/unix" | awk '{ print $(NR % 6 + 1) }' >"$work/mixed"
per_date "all six, -sjgqux over dates of every notation" -sjgqux "$work/mixed" 1439

# A program on the shared library: the instructions inside the calls that
# convert each date, Unix text to Gregorian text: aeonmark_read and
# aeonmark_write as a program makes them, and aeonmark_read_n of the text
# where it lies and aeonmark_write_line as the faces make them.
calls=$PWD/build/bench/bench/library_calls
inside() { # the calls' names, then library_calls' own arguments
  local toggles=()
  while [[ $1 == aeonmark_* ]]; do toggles+=(--toggle-collect="$1"); shift; done
  valgrind --tool=callgrind --callgrind-out-file="$work/cg.out" "${toggles[@]}" "$calls" "$@" 2>&1 >/dev/null |
    sed -n 's/.*Collected : *\([0-9]*\).*/\1/p'
}
library=$(($(inside aeonmark_read aeonmark_write "$work/years") / N))
echo "library, aeonmark_read and aeonmark_write of a Unix date of the years 1000 to 9999 as Gregorian text: $library instructions"
check library "$library" 425
counted=$(($(inside aeonmark_read_n aeonmark_write_line "$work/years" counted) / N))
echo "library, aeonmark_read_n and aeonmark_write_line of the same dates: $counted instructions"
check counted "$counted" 562

# Peak resident size only grows with noise (address space layout, the pages
# the kernel maps around each fault): the least of 21 runs of each, in turns.
least_rss() { # options...
  for _ in $(seq 21); do
    echo "$("$rss" "$bin" "$@" "${dates[@]}") $("$rss" "$base" "${dates[@]}")"
  done | awk 'NR == 1 || $1 < a { a = $1 } NR == 1 || $2 < b { b = $2 } END { print a, b }'
}
mapfile -t dates <"$work/unix"
read -r mem mem_base < <(least_rss -sux)
mem_ratio=$(awk -v a="$mem" -v b="$mem_base" 'BEGIN { printf "%.3f", a / b }')
echo "memory, -sux over $N dates: $mem KiB peak (least of 21), puts baseline $mem_base KiB: ratio $mem_ratio"
check memory "$mem_ratio" 1.10

exit $over
