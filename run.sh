#!/usr/bin/env bash
# Installs what is missing, builds what the program needs (not the tests),
# creates the sample database in the program folder (an existing one is
# kept) and starts the program.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
./scripts/build.sh --target program_folder
program=build/program
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Levrona is built in $program, but it cannot start here: there is no display to show its windows on"
  echo "(DISPLAY is not set). Run ./run.sh from a desktop session, or under a virtual display:"
  echo "    xvfb-run -a ./run.sh        (Debian package xvfb)"
  exit 0
fi
exec "$program/levbook" "$@"
