#!/usr/bin/env bash
# Builds the fuzz targets in a clang build of their own (build-fuzz/) and runs
# each one for a while from seeds it writes afresh:
#   fuzz/run.sh [seconds per target, default 15] [target ...]
# New inputs that reach further are kept in build-fuzz/fuzz-corpus/<target>;
# an input that fails is saved as build-fuzz/fuzz-artifacts/<target>-crash-...
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-15}"
shift || true
build=build-fuzz

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DLEV_FUZZ=ON >/dev/null
cmake --build "$build" --target fuzz_targets --parallel "$(nproc)"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for bin in "$build"/fuzz-bin/fuzz_*; do targets+=("$(basename "$bin")"); done
fi

mkdir -p "$build/fuzz-artifacts"
status=0
for t in "${targets[@]}"; do
  seeds="$build/fuzz-seeds/$t" corpus="$build/fuzz-corpus/$t" tmp="$build/fuzz-tmp/$t"
  log="$build/fuzz-logs/$t.log"
  rm -rf "$seeds" "$tmp"
  mkdir -p "$seeds" "$corpus" "$tmp" "$(dirname "$log")"
  TMPDIR="$tmp" "$build/fuzz-bin/$t" -lev_seeds="$seeds"
  if TMPDIR="$tmp" "$build/fuzz-bin/$t" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$build/fuzz-artifacts/$t-" "$corpus" "$seeds" >"$log" 2>&1; then
    echo "$t: $(grep -m1 'stat::number_of_executed_units' "$log" | awk '{print $2}') inputs in ${seconds} s, no failure"
  else
    echo "$t FAILED (log: $log):"
    tail -n 60 "$log"
    status=1
  fi
  rm -rf "$tmp"
done
exit $status
