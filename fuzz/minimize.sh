#!/usr/bin/env bash
# Merges the campaign's corpus (build-fuzz/corpus) and the findings into the small kept corpus of
# tests/data/fuzz/<target>, which formats_fuzz_regression_test replays in `make test`. Past
# findings (crash-*, leak-*, timeout-*, oom-*) are always kept. Needs the fuzz build.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-fuzz
targets=(${FUZZ_TARGETS:-bmp jpeg ico picture_data bmp_summary png webp tiff gif})
for t in "${targets[@]}"; do
  kept="tests/data/fuzz/$t"
  fresh=$(mktemp -d)
  mkdir -p "$kept"
  # The corpus and the seeds are merged; findings stay as they are.
  "$build/${t}_fuzz" -merge=1 -timeout=10 -rss_limit_mb=1024 -malloc_limit_mb=512 "$fresh" "$build/corpus/$t" "$build/seeds/$t" \
    >"$build/$t.merge.log" 2>&1
  find "$kept" -maxdepth 1 -type f ! -name 'crash-*' ! -name 'leak-*' ! -name 'timeout-*' ! -name 'oom-*' -delete
  # The replay runs with the real raster ceiling: inputs asking for more than the fuzz build made
  # would allocate up to a gigabyte there, so they are left out.
  python3 fuzz/declared_pixels.py "$t" "$fresh" | while read -r name; do cp "$fresh/$name" "$kept/$name"; done
  rm -rf "$fresh"
  printf '%-14s %5d files %6d KB\n' "$t" "$(ls "$kept" | wc -l)" "$(du -sk --apparent-size "$kept" | cut -f1)"
done
