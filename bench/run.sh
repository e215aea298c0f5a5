#!/usr/bin/env bash
# Runs the Google Benchmark programs of a build, then times whole runs of brelvik-cli against the
# codec's own tools and ImageMagick on one 4000 x 3000 photo-like BMP, pair by pair, and prints the
# median time of each side and their ratio. Usage: bench/run.sh BUILD_DIR   (RUNS=5 by default)
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
runs=${RUNS:-5}
cli="$build/brelvik-cli"
data="$build/bench-data"
mkdir -p "$data"

for b in "$build"/*_bench; do
  [ -x "$b" ] && "$b"
done

[ -x "$cli" ] || { echo "bench: $cli is not built" >&2; exit 1; }
magick=
for c in /usr/bin/convert convert-im6.q16 convert; do
  if command -v "$c" >/dev/null && "$c" -version 2>/dev/null | grep -q ImageMagick; then magick=$c; break; fi
done
[ -n "$magick" ] || { echo "bench: ImageMagick's convert is missing (tools/install-deps.sh installs it)" >&2; exit 1; }
command -v cjpeg >/dev/null || { echo "bench: cjpeg/djpeg are missing (libjpeg-turbo-progs)" >&2; exit 1; }

photo="$data/photo.bmp"
if [ ! -s "$photo" ]; then
  echo "Making $photo (4000 x 3000, 24 bits)"
  # A plasma fractal, softened: smooth areas, edges and noise, like a photograph.
  "$magick" -seed 7 -size 4000x3000 plasma:fractal -blur 0x1.5 -type TrueColor BMP3:"$photo"
fi

# Milliseconds of one run of the command given.
time_ms() {
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1 || { echo "bench: failed: $*" >&2; exit 1; }
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}

median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

# pair NAME GOAL -- OURS... -- THEIRS...   (runs alternate, so both sides see the same machine load)
pair() {
  local name=$1 goal=$2
  shift 3
  local ours=() theirs=()
  while [ "$1" != "--" ]; do ours+=("$1"); shift; done
  shift
  theirs=("$@")
  local a=() b=()
  for ((i = 0; i < runs; i++)); do
    a+=("$(time_ms "${ours[@]}")")
    b+=("$(time_ms "${theirs[@]}")")
  done
  local ma mb
  ma=$(median "${a[@]}")
  mb=$(median "${b[@]}")
  printf '%-34s %10s %10s %8s %8s\n' "$name" "$ma" "$mb" "$(awk -v a="$ma" -v b="$mb" 'BEGIN {printf "%.2f", a / b}')" "$goal"
}

out="$data/out"
mkdir -p "$out"
"$cli" convert -q 50 "$photo" -o "$out/photo.jpg"
echo
echo "Whole runs on a 4000 x 3000 picture, median of $runs (ms); ratio = brelvik-cli / reference"
printf '%-34s %10s %10s %8s %8s\n' task brelvik-cli reference ratio goal
pair "BMP -> JPEG q50 (cjpeg)" "<=1.0" -- "$cli" convert -q 50 "$photo" -o "$out/a.jpg" \
  -- cjpeg -dct float -baseline -quality 50 -outfile "$out/b.jpg" "$photo"
pair "JPEG -> BMP (djpeg)" "<=1.0" -- "$cli" convert --to bmp "$out/photo.jpg" -o "$out/a.bmp" \
  -- djpeg -dct float -bmp -outfile "$out/b.bmp" "$out/photo.jpg"
pair "rotate 90, BMP -> BMP (ImageMagick)" "<=0.5" -- "$cli" convert --to bmp --rotate 90 "$photo" -o "$out/r.bmp" \
  -- "$magick" "$photo" -rotate 90 BMP3:"$out/r-im.bmp"
pair "invert, BMP -> BMP (ImageMagick)" "<=0.5" -- "$cli" convert --to bmp --invert "$photo" -o "$out/i.bmp" \
  -- "$magick" "$photo" -negate BMP3:"$out/i-im.bmp"
