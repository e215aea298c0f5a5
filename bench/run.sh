#!/usr/bin/env bash
# Runs the Google Benchmark programs of a build, then times whole runs of brelvik-cli against the
# codec's own tools and ImageMagick on one 4000 x 3000 photo-like BMP, the same photo as PNG, WebP,
# TIFF and turned JPEG against vips, GraphicsMagick, ImageMagick and Pillow, and batches of 36 pictures of
# 1200 x 900 in a folder tree against GNU parallel with cjpeg, GraphicsMagick and vips, pair by pair,
# and --max-size against one plain conversion of the same file,
# and prints the median time of each side and their ratio, then the batch's peak memory.
# Usage: bench/run.sh BUILD_DIR   (RUNS=5 by default)
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

# Milliseconds of one run of the command given; $before (if set) runs first, untimed.
before=
time_ms() {
  local start end
  [ -z "$before" ] || $before
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
pair "--max-size 300K vs one q50 conversion" "<=4.0" -- "$cli" convert --max-size 300K "$photo" -o "$out/m.jpg" \
  -- "$cli" convert -q 50 "$photo" -o "$out/p.jpg"
pair "JPEG -> BMP (djpeg)" "<=1.0" -- "$cli" convert --to bmp "$out/photo.jpg" -o "$out/a.bmp" \
  -- djpeg -dct float -bmp -outfile "$out/b.bmp" "$out/photo.jpg"
pair "rotate 90, BMP -> BMP (ImageMagick)" "<=0.5" -- "$cli" convert --to bmp --rotate 90 "$photo" -o "$out/r.bmp" \
  -- "$magick" "$photo" -rotate 90 BMP3:"$out/r-im.bmp"
pair "invert, BMP -> BMP (ImageMagick)" "<=0.5" -- "$cli" convert --to bmp --invert "$photo" -o "$out/i.bmp" \
  -- "$magick" "$photo" -negate BMP3:"$out/i-im.bmp"

# Picture kinds: the same photo as PNG, WebP, TIFF and as a JPEG to be turned (EXIF orientation 6,
# with a colour profile) into JPEG q50, and the BMP into PNG, against vips, GraphicsMagick,
# ImageMagick and Pillow, each turning the picture upright where it has to.
pil=
for p in /usr/bin/python3 python3; do
  if "$p" -c 'import PIL' 2>/dev/null; then pil=$p; break; fi
done
[ -n "$pil" ] || { echo "bench: Pillow is missing (python3-pil; tools/install-deps.sh installs it)" >&2; exit 1; }
kinds="$data/kinds"
mkdir -p "$kinds"
if [ ! -s "$kinds/photo-o6.jpg" ]; then
  echo "Making $kinds (the photo as PNG, WebP, TIFF and a turned JPEG; small samples of each)"
  "$pil" - "$photo" "$kinds" <<'PY'
import sys
from PIL import Image, ImageCms
photo, kinds = sys.argv[1], sys.argv[2]
profile = ImageCms.ImageCmsProfile(ImageCms.createProfile("sRGB")).tobytes()
exif = Image.Exif()
exif[0x0112] = 6
for name, picture in (("photo", Image.open(photo).convert("RGB")), ("sample", Image.new("RGB", (16, 8), (9, 99, 199)))):
    picture.save(f"{kinds}/{name}.png")
    picture.save(f"{kinds}/{name}.webp", quality=90)
    picture.save(f"{kinds}/{name}.tif")
    if name == "sample":
        picture.save(f"{kinds}/sample.bmp")
    # Stored turned a quarter to the left, so that orientation 6 shows it as the BMP.
    picture.transpose(Image.Transpose.ROTATE_90).save(f"{kinds}/{name}-o6.jpg", quality=90, exif=exif.tobytes(), icc_profile=profile)
PY
fi
kout="$data/kinds-out"
mkdir -p "$kout"
raster_kib=$((4000 * 3000 * 3 / 1024))
peaks=()
# kind_rows NAME SOURCE OUTPUT-EXTENSION [upright]: brelvik-cli against each peer, when it reads SOURCE's kind.
kind_rows() {
  local name=$1 src=$2 ext=$3 upright=${4:-} sample
  sample="$kinds/sample${src##*/photo}"
  if ! "$cli" convert --to "$ext" "$sample" -o "$kout/probe.$ext" >/dev/null 2>&1; then
    echo "$name: skipped, brelvik-cli does not read ${src##*.} files yet"
    return
  fi
  local to=(--to "$ext") q=(-quality 50) vq="[Q=50]" pq="quality=50" auto=() vcmd=copy ptr=
  if [ "$ext" = png ]; then q=() vq= pq="compress_level=6"; fi
  if [ -n "$upright" ]; then auto=(-auto-orient) vcmd=autorot ptr="ImageOps.exif_transpose"; fi
  [ "$ext" = png ] || to+=(-q 50)
  pair "$name, vips" "<=0.9" -- "$cli" convert "${to[@]}" "$src" -o "$kout/a.$ext" \
    -- vips "$vcmd" "$src" "$kout/v.$ext$vq"
  pair "$name, gm" "<=0.9" -- "$cli" convert "${to[@]}" "$src" -o "$kout/a.$ext" \
    -- gm convert "$src" "${auto[@]}" "${q[@]}" "$kout/g.$ext"
  pair "$name, magick" "<=0.9" -- "$cli" convert "${to[@]}" "$src" -o "$kout/a.$ext" \
    -- "$magick" "$src" "${auto[@]}" "${q[@]}" "$kout/i.$ext"
  pair "$name, Pillow" "<=0.9" -- "$cli" convert "${to[@]}" "$src" -o "$kout/a.$ext" \
    -- "$pil" -c "from PIL import Image, ImageOps; $ptr(Image.open('$src')).save('$kout/p.$ext', $pq)"
  peaks+=("$(printf '%-34s %s' "$name" "$( { /usr/bin/time -f '%M' "$cli" convert "${to[@]}" "$src" -o "$kout/a.$ext" >/dev/null; } 2>&1 | tail -1)")")
}
echo
echo "Picture kinds, whole runs on the 4000 x 3000 photo, median of $runs (ms); ratio = brelvik-cli / peer"
printf '%-34s %10s %10s %8s %8s\n' task brelvik-cli peer ratio goal
kind_rows "PNG -> JPEG q50" "$kinds/photo.png" jpg
kind_rows "WebP -> JPEG q50" "$kinds/photo.webp" jpg
kind_rows "TIFF -> JPEG q50" "$kinds/photo.tif" jpg
kind_rows "JPEG orient. 6 -> JPEG q50" "$kinds/photo-o6.jpg" jpg upright
kind_rows "BMP -> PNG" "$photo" png
echo
echo "Peak memory of brelvik-cli (KiB); goal <= the raster + 10 MiB = $((raster_kib + 10240))"
printf '%s\n' "${peaks[@]}"

# Batches: 36 photo-like pictures of 1200 x 900 in a tree of folders.
for tool in parallel gm vips; do
  command -v "$tool" >/dev/null || { echo "bench: $tool is missing (tools/install-deps.sh installs it)" >&2; exit 1; }
done
tree="$data/batch"
if [ ! -s "$tree/a/p36.bmp" ]; then
  echo "Making $tree (36 pictures of 1200 x 900, 24 bits)"
  rm -rf "$tree"
  for i in $(seq -w 1 36); do
    case $((10#$i % 4)) in 0) sub=a ;; 1) sub=b ;; 2) sub=c ;; 3) sub=c/deep ;; esac
    mkdir -p "$tree/$sub"
    "$magick" -seed "$((10#$i))" -size 1200x900 plasma:fractal -blur 0x1.5 -type TrueColor BMP3:"$tree/$sub/p$i.bmp"
  done
fi
mapfile -t pictures < <(find "$tree" -name '*.bmp' | sort)
bout="$data/batch-out"
fresh() { rm -rf "$bout/$1" && mkdir -p "$bout/$1"; }
# Every side starts from empty output folders, emptied before the clock starts.
fresh_all() { for side in j1 j2 par gm vips; do fresh "$side"; done; }
ours_j() { "$cli" convert -j "$1" -q 50 -r -o "$bout/j$1" "$tree"; }
with_parallel() { printf '%s\n' "${pictures[@]}" | parallel --will-cite -j "${1:-2}" cjpeg -dct float -baseline -quality 50 -outfile "$bout/par/{/.}.jpg" {}; }
with_gm() { gm mogrify -output-directory "$bout/gm" -create-directories -format jpg -quality 50 "${pictures[@]}"; }
with_vips() { for p in "${pictures[@]}"; do vips copy "$p" "$bout/vips/$(basename "${p%.bmp}").jpg[Q=50]"; done; }

echo
echo "Batches of 36 pictures of 1200 x 900 in a tree, BMP -> JPEG q50, median of $runs (ms)"
printf '%-34s %10s %10s %8s %8s\n' task brelvik-cli reference ratio goal
before=fresh_all
pair "-j 2 vs -j 1" "<=0.6" -- ours_j 2 -- ours_j 1
pair "-j 2 vs parallel -j 2 cjpeg" "<=1.0" -- ours_j 2 -- with_parallel
pair "-j 2 vs gm mogrify" "<=0.5" -- ours_j 2 -- with_gm
pair "-j 2 vs vips, file by file" "<=0.5" -- ours_j 2 -- with_vips
# What a second core gives this very work with the codec's own tool, for comparison with the
# first row: the same batch through parallel -j 2 against parallel -j 1.
pair "machine: cjpeg, parallel -j 2 vs -j 1" "" -- with_parallel 2 -- with_parallel 1
before=
# The same without parallel's own work and without output files: cjpeg over the two halves of the
# batch side by side, against cjpeg over the whole batch in one loop.
half=$((${#pictures[@]} / 2))
cjpeg_loop() { for p in "$@"; do cjpeg -dct float -baseline -quality 50 "$p" >/dev/null; done; }
cjpeg_halves() { cjpeg_loop "${pictures[@]:0:half}" & cjpeg_loop "${pictures[@]:half}"; wait; }
pair "machine: cjpeg, two halves vs one loop" "" -- cjpeg_halves -- cjpeg_loop "${pictures[@]}"
# What two processes gain here at all: the same checksum twice, side by side against one after the
# other (about 0.5 when two cores are free; more when something else holds one).
head -c 100000000 /dev/zero >"$bout/zeros"
sums_apart() { sha256sum "$bout/zeros" && sha256sum "$bout/zeros"; }
sums_together() { sha256sum "$bout/zeros" & sha256sum "$bout/zeros"; wait; }
pair "machine: 2 processes vs 1 after 1" "~0.5" -- sums_together -- sums_apart
rm -f "$bout/zeros"
fresh_all && ours_j 1 2>/dev/null && ours_j 2 2>/dev/null
diff -r "$bout/j1" "$bout/j2" >/dev/null || { echo "bench: -j 2 wrote other bytes than -j 1" >&2; exit 1; }

# Peak memory: one file alone (largest process, as time -v reports it), then the whole -j 2 batch
# with its workers summed.
one=$( { /usr/bin/time -f '%M' "$cli" convert -q 50 "${pictures[0]}" -o "$bout/one.jpg" >/dev/null; } 2>&1 | tail -1)
fresh j2
batch=$(python3 "$(dirname "$0")/peak_rss.py" "$cli" convert -j 2 -q 50 -r -o "$bout/j2" "$tree")
limit=$((2 * one + 10240))
echo
printf 'Peak memory (KiB): one file %s; -j 2 batch, all processes together %s; goal <= 2 x one + 10 MiB = %s\n' \
  "$one" "$batch" "$limit"
