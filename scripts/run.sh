#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds, and starts the program on the embedded SQLite
# database in a fresh home folder (or the folder given as the first argument).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
home=${1:-$(mktemp -d /tmp/lanx-home.XXXXXX)}
echo "Home folder: $home"
exec "$root/build/bin/lanx" --home "$home"
