#!/usr/bin/env bash
# Installs what is missing, builds Levrona, creates the sample database in the
# program folder (an existing one is kept) and starts the program.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
./scripts/build.sh
program=build/program
if [ ! -x "$program/levbook" ]; then
  echo "Levrona is built in $program; the program window is not built yet."
  exit 0
fi
exec "$program/levbook" "$@"
