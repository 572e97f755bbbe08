#!/usr/bin/env bash
# Installs what is missing, builds Levrona and runs every test headless, then
# each fuzz target briefly in its own clang build (LEV_FUZZ_SECONDS each,
# 15 by default).
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
./scripts/build.sh
(
  export QT_QPA_PLATFORM=offscreen
  cd build
  ctest --output-on-failure --parallel "$(nproc)" --timeout 300
)
./fuzz/run.sh "${LEV_FUZZ_SECONDS:-15}"
