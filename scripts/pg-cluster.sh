# A throwaway PostgreSQL 15 cluster for the tests and benchmarks: initdb in a temporary folder,
# its own port on 127.0.0.1, trust login for "postgres". Runs as the postgres user when we are
# root (the server refuses to run as root). Source this file, then pg_cluster_start.

PG_BIN=${PG_BIN:-$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)}

as_pg() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

port_free() {
  ! (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

pg_cluster_start() {
  PG_DIR=$(mktemp -d /tmp/lanx-pg.XXXXXX)
  [ "$(id -u)" -eq 0 ] && chown postgres "$PG_DIR"
  PG_PORT=54329
  while ! port_free "$PG_PORT"; do PG_PORT=$((PG_PORT + 1)); done
  as_pg "$PG_BIN/initdb" -D "$PG_DIR/data" -U postgres -A trust -E UTF8 --locale=C.UTF-8 >"$PG_DIR/initdb.log"
  as_pg "$PG_BIN/pg_ctl" -D "$PG_DIR/data" -l "$PG_DIR/server.log" -w \
    -o "-p $PG_PORT -k $PG_DIR -c listen_addresses=127.0.0.1 -c fsync=off" start >/dev/null
  echo "PostgreSQL test server on 127.0.0.1:$PG_PORT"
}

pg_cluster_stop() {
  [ -n "${PG_DIR:-}" ] || return 0
  as_pg "$PG_BIN/pg_ctl" -D "$PG_DIR/data" -m fast -w stop >/dev/null 2>&1 || true
  rm -rf "$PG_DIR"
}
