#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz and runs each for FUZZ_SECONDS (default 60)
# from the generated seeds, the kept corpus of tests/data/fuzz and the target's dictionary. The
# corpus grows in build-fuzz/corpus and is carried from one run to the next; findings land in
# build-fuzz/artifacts; every run appends its figures to build-fuzz/campaign.tsv. Exits 1 when any
# target reported a crash, leak, hang or sanitizer error.
# FUZZ_TARGETS picks targets; FUZZ_NO_BUILD=1 skips the build (done beforehand).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
jobs=${JOBS:-2}
build=build-fuzz
targets=(${FUZZ_TARGETS:-bmp jpeg ico picture_data bmp_summary png webp tiff gif})

if [ "${FUZZ_NO_BUILD:-0}" != 1 ]; then
  command -v clang++ >/dev/null || { echo "fuzz: clang++ is missing (tools/install-deps.sh installs it)" >&2; exit 1; }
  cmake -S . -B "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBRELVIK_FUZZ=ON -DBRELVIK_BENCH=OFF >/dev/null
  cmake --build "$build" -j"$jobs" --target "${targets[@]/%/_fuzz}"
fi

fuzz/seeds.sh "$build/seeds"
mkdir -p "$build/artifacts"
campaign="$build/campaign.tsv"
[ -f "$campaign" ] || printf 'date\ttarget\tseconds\truns\texec_per_s\tcorpus_files\tfindings\n' >"$campaign"
status=0
printf '%-14s %12s %10s %8s  %s\n' target executions exec/s corpus findings
for t in "${targets[@]}"; do
  mkdir -p "$build/corpus/$t"
  log="$build/$t.log"
  before=$(ls "$build/artifacts" | grep -c "^$t-" || true)
  dict=()
  [ -f "fuzz/dict/$t.dict" ] && dict=(-dict="fuzz/dict/$t.dict")
  kept=()
  [ -d "tests/data/fuzz/$t" ] && kept=("tests/data/fuzz/$t")
  # Fuzz builds cap rasters at 2^20 pixels, so no single input should take long or need much memory.
  "$build/${t}_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 -malloc_limit_mb=512 \
    "${dict[@]}" -print_final_stats=1 -artifact_prefix="$build/artifacts/$t-" \
    "$build/corpus/$t" "$build/seeds/$t" "${kept[@]}" >"$log" 2>&1 || status=1
  after=$(ls "$build/artifacts" | grep -c "^$t-" || true)
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  corpus=$(ls "$build/corpus/$t" | wc -l)
  printf '%-14s %12s %10s %8s  %s\n' "$t" "${runs:-?}" "${speed:-?}" "$corpus" "$((after - before)) (log: $log)"
  printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$(date -u +%FT%TZ)" "$t" "$seconds" "${runs:-0}" "${speed:-0}" "$corpus" \
    "$((after - before))" >>"$campaign"
done
exit $status
