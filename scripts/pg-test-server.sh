#!/usr/bin/env bash
# Starts (or reuses) a throwaway PostgreSQL server on loopback for the tests.
# Prints the environment line the tests read: VEXA_PG=host:port
set -euo pipefail
PGBIN=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -1)
DIR=${VEXA_PG_DIR:-/tmp/vexa-pg}
PORT=${VEXA_PG_PORT:-54329}
RUNAS=postgres
id "$RUNAS" >/dev/null 2>&1 || useradd -r -m "$RUNAS"
if [ "$(id -u)" != 0 ]; then RUNAS=$(id -un); fi
as() { if [ "$(id -un)" = "$RUNAS" ]; then "$@"; else su "$RUNAS" -s /bin/bash -c "$(printf '%q ' "$@")"; fi; }
if ! as "$PGBIN/pg_isready" -h 127.0.0.1 -p "$PORT" -q; then
  if [ ! -f "$DIR/PG_VERSION" ]; then
    mkdir -p "$DIR"; chown "$RUNAS" "$DIR"
    as "$PGBIN/initdb" -D "$DIR" -U postgres -A trust -E UTF8 --locale=C.UTF-8 >/dev/null
  fi
  as "$PGBIN/pg_ctl" -D "$DIR" -l "$DIR/server.log" -w \
     -o "-p $PORT -k /tmp -c listen_addresses=127.0.0.1 -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c max_connections=200" start >/dev/null
fi
as "$PGBIN/psql" -h 127.0.0.1 -p "$PORT" -U postgres -tAc "SELECT 1 FROM pg_roles WHERE rolname='vexa'" | grep -q 1 ||
  as "$PGBIN/psql" -h 127.0.0.1 -p "$PORT" -U postgres -qc "CREATE ROLE vexa LOGIN SUPERUSER PASSWORD 'vexa'"
echo "VEXA_PG=127.0.0.1:$PORT"
