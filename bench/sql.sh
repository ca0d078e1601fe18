#!/usr/bin/env bash
# Rows per second that each engine converts from Unix seconds to Gregorian
# text, with aeonmark_from_unix(s, 'g') and with its own formatting:
#   SQLite:      strftime('%Y-%m-%dT%H:%M:%S', s, 'unixepoch')
#   PostgreSQL:  to_char(to_timestamp(s) AT TIME ZONE 'UTC', 'YYYY-MM-DD"T"HH24:MI:SS')
# over a table of N rows (default 1,000,000; the same spread of the years
# 1000 to 9999 in both, where the layouts agree). Each query sums the texts'
# lengths over the whole table, so both pay the same scan; after a check
# that every row gives the same text both ways, they run in turns, 5 times,
# and the median of each is printed. PostgreSQL runs on a throwaway cluster
# (sql/postgresql/with_server.sh) without parallel workers, so both engines
# use one core; it needs the package postgresql-15-aeonmark installed.
# Usage: bench/sql.sh [N]
set -euo pipefail
cd "$(dirname "$0")/.."
N=${1:-1000000}
cmake --workflow --preset release >/dev/null
# 1000-01-01T00:00:00 on, over the 284012524800 seconds to 9999-12-31T23:59:59.
seconds="-30610224000 + (i * 2654435761) % 284012524800"
sqlite_builtin="strftime('%Y-%m-%dT%H:%M:%S', s, 'unixepoch')"
pg_builtin="to_char(to_timestamp(s) AT TIME ZONE 'UTC', 'YYYY-MM-DD\"T\"HH24:MI:SS')"

# The queries' SQL: the check, then the two sums in turns.
queries() { # built-in formatting
  echo "SELECT count(*) || ' rows differ' FROM t WHERE $1 IS NOT aeonmark_from_unix(s, 'g');"
  echo "$2"
  for _ in 1 2 3 4 5; do
    echo "SELECT sum(length($1)) FROM t;"
    echo "SELECT sum(length(aeonmark_from_unix(s, 'g'))) FROM t;"
  done
}

# The figures from the engine's output: the check's line, then the times in
# milliseconds, one a line, in the order the queries ran.
report() { # engine
  local out times name parity ms
  out=$(cat)
  grep -q '^0 rows differ$' <<<"$out" || { echo "$1: $(grep 'rows differ' <<<"$out")" >&2; exit 1; }
  times=$(grep -v 'rows differ' <<<"$out")
  for half in "built-in 1" "aeonmark_from_unix 0"; do
    read -r name parity <<<"$half"
    ms=$(awk -v parity="$parity" 'NR % 2 == parity' <<<"$times" | sort -n | sed -n 3p)
    printf '  %s: %s rows/s (%s ms, median of 5)\n' "$name" \
      "$(awk -v ms="$ms" -v n="$N" 'BEGIN { printf "%d", n * 1000 / ms }')" "$ms"
  done
}

echo "SQLite $(sqlite3 -version | cut -d' ' -f1), $N rows:"
{
  echo ".load build/release/sql/aeonmark_sqlite"
  echo "CREATE TABLE t (s INTEGER);"
  echo "WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < $N)"
  echo "  INSERT INTO t SELECT $seconds FROM c;"
  queries "$sqlite_builtin" ".timer on"
} | sqlite3 :memory: | sed -n 's/^Run Time: real \([0-9.]*\).*/\1/p; /rows differ/p' |
  awk '/rows differ/ { print; next } { print $1 * 1000 }' | report SQLite

echo "PostgreSQL $(psql --version | awk '{ print $3 }'), $N rows, no parallel workers:"
{
  echo "CREATE EXTENSION aeonmark;"
  echo "CREATE TABLE t AS SELECT ($seconds)::bigint AS s FROM generate_series(1, $N) AS i;"
  echo "VACUUM ANALYZE t;"
  echo "SET max_parallel_workers_per_gather = 0;"
  queries "$pg_builtin" "\\timing on"
} | sed "s/IS NOT aeonmark/IS DISTINCT FROM aeonmark/" |
  sql/postgresql/with_server.sh psql -X -q -A -t -v ON_ERROR_STOP=1 |
  sed -n 's/^Time: \([0-9.]*\) ms.*/\1/p; /rows differ/p' | report PostgreSQL
