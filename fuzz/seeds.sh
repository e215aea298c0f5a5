#!/usr/bin/env bash
# Makes the seed corpora of the fuzz targets in $1: small generated pictures of every kind the
# readers meet, plus the public BMP corpus when ../shared has it.
set -euo pipefail
out=$1
root=$(cd "$(dirname "$0")/.." && pwd)
rm -rf "$out"
mkdir -p "$out"/{bmp,jpeg,ico,picture_data,bmp_summary,png,webp,tiff,gif}

magick=
for c in /usr/bin/convert convert-im6.q16 convert; do
  if command -v "$c" >/dev/null && "$c" -version 2>/dev/null | grep -q ImageMagick; then magick=$c; break; fi
done
[ -n "$magick" ] || { echo "seeds: ImageMagick's convert is missing (tools/install-deps.sh installs it)" >&2; exit 1; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$magick" -size 13x7 gradient:red-blue -rotate 0 "$tmp/base.png"

# BMP: core and info headers, every depth, run-length and bit-field files, top-down rows.
"$magick" "$tmp/base.png" -type TrueColor BMP3:"$out/bmp/gen-rgb24.bmp"
"$magick" "$tmp/base.png" -type TrueColorAlpha BMP:"$out/bmp/gen-rgb32.bmp"
"$magick" "$tmp/base.png" -colors 200 -type Palette BMP3:"$out/bmp/gen-pal8.bmp"
"$magick" "$tmp/base.png" -colors 200 -type Palette -compress RLE BMP3:"$out/bmp/gen-rle8.bmp"
"$magick" "$tmp/base.png" -colors 12 -depth 4 -type Palette BMP3:"$out/bmp/gen-pal4.bmp"
"$magick" "$tmp/base.png" -monochrome BMP3:"$out/bmp/gen-mono.bmp"
"$magick" "$tmp/base.png" -type TrueColor BMP2:"$out/bmp/gen-core24.bmp"
"$magick" "$tmp/base.png" -define bmp:subtype=RGB565 BMP:"$out/bmp/gen-rgb565.bmp" 2>/dev/null || true
corpus="$root/../shared/testdata/bmpsuite"
if [ -d "$corpus" ]; then
  find "$corpus" -name '*.bmp' -size -64k -exec cp {} "$out/bmp/" \;
  chmod -R u+w "$out/bmp"
fi

# JPEG: baseline, progressive, greyscale, unsubsampled, restart markers, and one cut short.
"$magick" "$tmp/base.png" -type TrueColor PPM:"$tmp/base.ppm"
cjpeg -quality 50 "$tmp/base.ppm" >"$out/jpeg/baseline.jpg"
cjpeg -progressive "$tmp/base.ppm" >"$out/jpeg/progressive.jpg"
cjpeg -grayscale "$tmp/base.ppm" >"$out/jpeg/gray.jpg"
cjpeg -sample 1x1 -restart 1 "$tmp/base.ppm" >"$out/jpeg/restart444.jpg"
head -c 200 "$out/jpeg/baseline.jpg" >"$out/jpeg/truncated.jpg"
cjpeg -arithmetic "$tmp/base.ppm" >"$out/jpeg/arithmetic.jpg"
cjpeg -optimize -sample 2x1 "$tmp/base.ppm" >"$out/jpeg/optimized422.jpg"
cjpeg -sample 4x1 "$tmp/base.ppm" >"$out/jpeg/sample411.jpg"
cjpeg -smooth 20 -quality 5 "$tmp/base.ppm" >"$out/jpeg/smooth-q5.jpg"
cjpeg -grayscale -progressive -restart 1B "$tmp/base.ppm" >"$out/jpeg/gray-progressive.jpg"
cjpeg -quality 100 -dct float "$tmp/base.ppm" | wrjpgcom -comment "seed" >"$out/jpeg/commented.jpg"

# ICO: 4- and 8-bit images, several sizes in one directory.
"$magick" "$tmp/base.png" -colors 16 -resize 16x16! -type Palette ICO:"$out/ico/small16.ico"
"$magick" "$tmp/base.png" -resize 32x32! -define icon:auto-resize=16,32 ICO:"$out/ico/multi.ico"

# PNG: every colour type, 16 bits, interlaced, tRNS, a profile; WebP: lossy, lossless, alpha,
# animated; TIFF: strips, tiles, 16 bits, palette, CMYK, a turned page; GIF: the test pictures.
"$magick" "$tmp/base.png" -alpha set -channel A -fx 'i/w' +channel "$tmp/alpha.png"
"$magick" "$tmp/base.png" "$out/png/rgb.png"
"$magick" "$tmp/alpha.png" "$out/png/rgba.png"
"$magick" "$tmp/base.png" -depth 16 -interlace PNG "$out/png/rgb16-interlaced.png"
"$magick" "$tmp/base.png" -colorspace Gray PNG8:"$out/png/gray.png"
"$magick" "$tmp/base.png" -colors 7 -transparent "$("$magick" "$tmp/base.png" -colors 7 -format '%[pixel:p{0,0}]' info:)" PNG8:"$out/png/palette-trns.png"
"$magick" "$tmp/base.png" -monochrome "$out/png/mono.png"
cwebp -quiet -q 40 "$tmp/base.png" -o "$out/webp/lossy.webp"
cwebp -quiet -lossless "$tmp/alpha.png" -o "$out/webp/lossless-alpha.webp"
cwebp -quiet -q 60 -alpha_q 50 "$tmp/alpha.png" -o "$out/webp/lossy-alpha.webp"
img2webp -loop 0 "$tmp/base.png" "$tmp/alpha.png" -o "$out/webp/animated.webp" 2>/dev/null || true
"$magick" "$tmp/base.png" -compress none TIFF:"$out/tiff/rgb.tif"
"$magick" "$tmp/alpha.png" -compress lzw TIFF:"$out/tiff/rgba-lzw.tif"
"$magick" "$tmp/base.png" -depth 16 -compress zip -define tiff:tile-geometry=16x16 TIFF:"$out/tiff/rgb16-tiles.tif"
"$magick" "$tmp/base.png" -compress none -define tiff:tile-geometry=16x16 TIFF:"$out/tiff/rgb-tiles.tif"
"$magick" "$tmp/base.png" -colors 16 -type Palette TIFF:"$out/tiff/palette.tif"
"$magick" "$tmp/base.png" -colorspace CMYK TIFF:"$out/tiff/cmyk.tif"
"$magick" "$tmp/base.png" -colorspace Gray -compress RLE TIFF:"$out/tiff/gray-packbits.tif"
"$magick" "$tmp/base.png" -orient RightTop TIFF:"$out/tiff/right-top.tif"
"$magick" "$tmp/base.png" -compress jpeg TIFF:"$out/tiff/jpeg.tif"
cp "$root"/tests/data/kinds/*.gif "$out/gif/"
"$magick" "$tmp/base.png" -colors 5 GIF87:"$out/gif/gif87.gif"

# The stored form: length-prefixed class name, then a 32-bit length and the file.
le32() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8 & 255)))\\x$(printf %02x $(($1 >> 16 & 255)))\\x$(printf %02x $(($1 >> 24 & 255)))"; }
stored() {  # class file output
  { printf "\\x$(printf %02x ${#1})%s" "$1"; le32 "$(stat -c %s "$2")"; cat "$2"; } >"$3"
}
stored TBitmap "$out/bmp/gen-rgb24.bmp" "$out/picture_data/bitmap.bin"
stored TBitmap "$out/bmp/gen-rle8.bmp" "$out/picture_data/bitmap-rle.bin"
stored TJPEGImage "$out/jpeg/baseline.jpg" "$out/picture_data/jpeg.bin"
stored TIcon "$out/ico/small16.ico" "$out/picture_data/icon.bin"
printf '\x00' >"$out/picture_data/none.bin"

cp "$out"/bmp/*.bmp "$out/bmp_summary/"

# Hand-built files of every header kind, depth and compression, every kind of icon entry, and the
# stored form of every graphic class.
python3 "$root/fuzz/make_seeds.py" "$out" "$out/jpeg/baseline.jpg" "$out/jpeg/progressive.jpg"
