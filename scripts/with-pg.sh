#!/usr/bin/env bash
# Runs a command beside a throwaway PostgreSQL cluster of its own: initialised in a temporary
# folder, listening only on a Unix socket there, owned by an unprivileged user, and stopped and
# removed when the command ends, also on failure or interruption. The command finds the
# server through IDJ_TEST_PG. Usage: scripts/with-pg.sh <command> [args...]
set -euo pipefail
[ $# -gt 0 ] || { echo "usage: $0 <command> [args...]" >&2; exit 2; }

bindir=""
for d in /usr/lib/postgresql/*/bin; do [ -x "$d/pg_ctl" ] && bindir=$d; done
[ -n "$bindir" ] || { echo "$0: PostgreSQL server not installed (Debian package postgresql)" >&2; exit 2; }

dir=$(mktemp -d /tmp/idjpg.XXXXXX)
chmod 700 "$dir"
owner=$(id -un)
# The server refuses to run as root: then the cluster belongs to "nobody".
as_owner() { "$@"; }
if [ "$(id -u)" -eq 0 ]; then
  owner=nobody
  chown nobody "$dir"
  as_owner() { runuser -u nobody -- "$@"; }
fi

stop() {
  if [ -f "$dir/data/postmaster.pid" ]; then
    as_owner "$bindir/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null 2>&1 || true
  fi
  rm -rf "$dir"
}
trap stop EXIT
trap 'exit 130' INT TERM

# Trust on the socket only: the folder's permissions decide who may connect; no password exists.
as_owner "$bindir/initdb" -D "$dir/data" -U idjtest --auth=trust --encoding=UTF8 --locale=C.UTF-8 \
  >"$dir/initdb.log" 2>&1 || { cat "$dir/initdb.log" >&2; exit 1; }
as_owner "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w \
  -o "-c listen_addresses='' -c unix_socket_directories='$dir' -c max_connections=40 -c fsync=off" \
  start >/dev/null || { cat "$dir/server.log" >&2; exit 1; }
as_owner "$bindir/createdb" -h "$dir" -U idjtest idjtest

export IDJ_TEST_PG="postgresql:///idjtest?host=$dir&user=idjtest"
"$@"
