#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds, starts a throwaway PostgreSQL 15 server, and runs
# every test on SQLite and on PostgreSQL. Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
source "$root/scripts/pg-cluster.sh"
pg_cluster_start
trap pg_cluster_stop EXIT
export LANX_TEST_PG="127.0.0.1:$PG_PORT" LANX_TEST_PG_USER=postgres
cd "$root/build"
ctest --output-on-failure --timeout 900 "$@"
