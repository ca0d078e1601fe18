#!/usr/bin/env bash
# Runs a command against a throwaway PostgreSQL cluster, made in a new
# temporary folder and listening only on a Unix socket there, never on a
# network address; stopped and removed however the command ends. Run as
# root, the cluster belongs to the unprivileged user nobody, as the server
# will not run as root. The command finds the server through psql's
# PGHOST, PGUSER and PGDATABASE, and the server's programs on PATH.
#   sql/postgresql/with_server.sh COMMAND [ARGUMENT ...]
# AEONMARK_PG_BIN names the server's programs (/usr/lib/postgresql/15/bin).
set -euo pipefail
bin=${AEONMARK_PG_BIN:-/usr/lib/postgresql/15/bin}
dir=$(mktemp -d)
owner=()
if [ "$(id -u)" = 0 ]; then
  chown nobody "$dir"
  owner=(runuser -u nobody --)
fi
stop() {
  (cd "$dir" && "${owner[@]}" "$bin/pg_ctl" stop -D "$dir/data" -m fast -s) || true
  rm -rf "$dir"
}
trap stop EXIT
# The server's programs run from its folder: nobody may not read the caller's.
(cd "$dir" &&
  "${owner[@]}" "$bin/initdb" -D "$dir/data" -U postgres -A trust -E UTF8 --no-locale --no-sync \
    </dev/null >/dev/null &&
  "${owner[@]}" "$bin/pg_ctl" start -D "$dir/data" -l "$dir/server.log" -w -s \
    -o "-c listen_addresses='' -c fsync=off -c unix_socket_directories='$dir'" </dev/null) ||
  { cat "$dir/server.log" >&2 || true; exit 1; }
PATH=$bin:$PATH PGHOST=$dir PGUSER=postgres PGDATABASE=postgres "$@"
