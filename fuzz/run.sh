#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz and runs each for FUZZ_SECONDS (default 60)
# from a generated seed corpus. The corpus grows in build-fuzz/corpus; findings land in
# build-fuzz/artifacts. Exits 1 when any target reported a crash, leak, hang or sanitizer error.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
jobs=${JOBS:-2}
build=build-fuzz
targets=(${FUZZ_TARGETS:-bmp jpeg ico picture_data bmp_summary})

command -v clang++ >/dev/null || { echo "fuzz: clang++ is missing (tools/install-deps.sh installs it)" >&2; exit 1; }
cmake -S . -B "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DBRELVIK_FUZZ=ON -DBRELVIK_BENCH=OFF >/dev/null
cmake --build "$build" -j"$jobs" --target "${targets[@]/%/_fuzz}"

fuzz/seeds.sh "$build/seeds"
mkdir -p "$build/artifacts"
status=0
printf '%-14s %12s %10s  %s\n' target executions exec/s findings
for t in "${targets[@]}"; do
  mkdir -p "$build/corpus/$t"
  log="$build/$t.log"
  before=$(ls "$build/artifacts" | grep -c "^$t-" || true)
  # Each input may take a while (a raster of 2^28 pixels is legal), but not forever; a file may
  # legally ask for a raster of up to 1 GiB.
  "$build/${t}_fuzz" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=3072 -malloc_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$build/artifacts/$t-" "$build/corpus/$t" "$build/seeds/$t" \
    >"$log" 2>&1 || status=1
  after=$(ls "$build/artifacts" | grep -c "^$t-" || true)
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  printf '%-14s %12s %10s  %s\n' "$t" "${runs:-?}" "${speed:-?}" "$((after - before)) (log: $log)"
done
rm -f /tmp/brelvik-summary-fuzz-*
exit $status
