#!/usr/bin/env bash
# Configures and builds Levrona with Ninja in build/: everything, or the
# targets given (scripts/build.sh --target program_folder).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build --parallel "$(nproc)" "$@"
