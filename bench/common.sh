# Shared by the bench scripts: the built program, a scratch folder, and the
# instruction count of one run. Source it from the project's root.
set -euo pipefail
N=${1:-10000}
command -v valgrind >/dev/null || { echo "valgrind is needed" >&2; exit 1; }
cmake --workflow --preset bench >/dev/null
bin=$PWD/build/bench/aeonmark
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
over=0
: >"$work/stdin"

# N Unix times (no U) of the years 1000 to 9999, where the layouts of
# aeonmark -g and GNU date agree; fixed seed.
four_digit_years() {
  python3 - "$N" <<'PY'
import random, sys
random.seed(1582)
lo, hi = -30610224000, 253402300799  # 1000-01-01, 9999-12-31T23:59:59
for _ in range(int(sys.argv[1])):
    print(random.randint(lo, hi))
PY
}

# dateutils' dconv, installed from Debian's dateutils when missing; nothing
# when it cannot be had.
find_dconv() {
  if ! command -v dconv >/dev/null && ! command -v dateutils.dconv >/dev/null && command -v apt-get >/dev/null; then
    (apt-get install -y -qq dateutils || { apt-get update -qq && apt-get install -y -qq dateutils; }) >/dev/null 2>&1 || true
  fi
  command -v dconv || command -v dateutils.dconv || true
}

# Total instructions of one run of a command, standard input from
# $work/stdin (empty unless a script fills it).
instr() {
  valgrind --tool=callgrind --callgrind-out-file="$work/cg.out" "$@" <"$work/stdin" >/dev/null 2>"$work/cg.err"
  sed -n 's/.*Collected : *\([0-9]*\).*/\1/p' "$work/cg.err"
}
