#!/usr/bin/env bash
# The copies of the table of picture kinds outside the program follow it: README's table is the
# one picture_kinds prints, the desktop entry and the metainfo made at build time list every MIME
# type, and both completions offer every extension as a picture file.
set -euo pipefail
build=$(cd "${1:?usage: kinds_docs_test.sh BUILD-DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
fail=0
failure() { echo "FAIL: $*"; fail=1; }

readme=$(sed -n '/^<!-- picture kinds -->$/,/^<!-- end of picture kinds -->$/p' "$here/../../README.md" | sed '1d;$d')
[ "$readme" = "$("$build/picture_kinds" readme)" ] ||
  failure "README's table of picture kinds differs from 'picture_kinds readme'; paste its output between the markers"

mime=$("$build/picture_kinds" mime)
grep -qx "MimeType=$mime" "$build/org.brelvik.Brelvik.desktop" || failure "the desktop entry's MimeType is not $mime"
for type in ${mime//;/ }; do
  grep -q "<mediatype>$type</mediatype>" "$build/org.brelvik.Brelvik.metainfo.xml" || failure "the metainfo lacks $type"
done

for program in brelvik brelvik-cli; do
  for extension in png webp tif tiff gif jpg bmp; do
    grep -q "_filedir '[^']*\b$extension\b" "$build/completions/$program" || failure "$program's completion skips .$extension"
  done
done
[ "$fail" -eq 0 ] && echo "PASS: README, desktop entry, metainfo and completions follow the table of kinds"
exit "$fail"
