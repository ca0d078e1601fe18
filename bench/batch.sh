#!/usr/bin/env bash
# Wall time to convert a file of N Unix times (default 1,000,000, fixed seed,
# years 1970 to 2999, which all three tools read) to Gregorian text:
#   aeonmark:  xargs aeonmark -g <FILE            (lines UN)
#   GNU date:  date -u -f FILE +%Y-%m-%dT%H:%M:%S (lines @N)
#   dconv:     dconv -i %s -f '%Y-%m-%dT%H:%M:%S' <FILE (lines N)
# and xargs running true on the same file: process starts and xargs' own
# work, the part of aeonmark's figure that is not conversion. The four run
# in turns, 5 times, and the median of each is printed; the outputs are
# checked to be the same lines first.
# Usage: bench/batch.sh [N]
cd "$(dirname "$0")/.."
source bench/common.sh "${1:-1000000}"
dconv=$(find_dconv)
[ -n "$dconv" ] || { echo "dateutils' dconv is needed and cannot be installed here" >&2; exit 1; }

python3 - "$N" >"$work/secs" <<'PY'
import random, sys
random.seed(2999)
for _ in range(int(sys.argv[1])):
    print(random.randint(0, 32503679999))
PY
sed 's/^/U/' "$work/secs" >"$work/unix"
sed 's/^/@/' "$work/secs" >"$work/at"
format=%Y-%m-%dT%H:%M:%S

run() { # name: one conversion of the whole file, output to $work/NAME.out
  case $1 in
  aeonmark) xargs "$bin" -g <"$work/unix" ;;
  date) date -u -f "$work/at" "+$format" ;;
  dconv) "$dconv" -i %s -f "$format" <"$work/secs" ;;
  xargs) xargs true <"$work/unix" ;;
  esac >"$work/$1.out"
}

for tool in aeonmark date dconv; do run "$tool"; done
cmp -s "$work/aeonmark.out" "$work/date.out" && cmp -s "$work/aeonmark.out" "$work/dconv.out" ||
  { echo "the tools print different lines" >&2; exit 1; }
echo "aeonmark -g, GNU date and dconv print the same $N lines"

for _ in 1 2 3 4 5; do
  for tool in aeonmark date dconv xargs; do
    start=$(date +%s%N)
    run "$tool"
    echo "$tool $((($(date +%s%N) - start) / 1000000))"
  done
done >"$work/times"
for tool in aeonmark date dconv xargs; do
  ms=$(awk -v t="$tool" '$1 == t { print $2 }' "$work/times" | sort -n | sed -n 3p)
  echo "$tool: $ms ms (median of 5)"
done
