#!/usr/bin/env bash
# Builds the Debian package from the build folder (as `make package` does, but into a folder of
# its own) and checks it: the exact list of files, their modes, the icon sizes, Depends, that the
# unpacked programs answer --version without a display, and what the Debian tools say: lintian
# with no error, desktop-file-validate and appstreamcli validate passing.
set -euo pipefail
build=$(cd "${1:?usage: package_test.sh BUILD-DIR}" && pwd)
for tool in cpack dpkg-deb dpkg-shlibdeps dpkg-architecture lintian desktop-file-validate appstreamcli identify; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (tools/install-deps.sh)"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
failure() { echo "FAIL: $*"; fail=1; }

start=$SECONDS
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; echo "FAIL: cpack"; exit 1; }
deb=$(ls "$work"/out/*.deb)
echo "built $(basename "$deb") ($(stat -c %s "$deb") bytes) in $((SECONDS - start)) s"

icons=""
for size in 16 32 48 64 128 256; do icons+=" ./usr/share/icons/hicolor/${size}x$size/apps/brelvik.png"; done
cat >"$work/want" <<LIST
./usr/bin/brelvik 755
./usr/bin/brelvik-cli 755
./usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/brelvik/libbrelvik-text.so 644
./usr/share/applications/org.brelvik.Brelvik.desktop 644
./usr/share/metainfo/org.brelvik.Brelvik.metainfo.xml 644
./usr/share/man/man1/brelvik.1.gz 644
./usr/share/man/man1/brelvik-cli.1.gz 644
./usr/share/bash-completion/completions/brelvik 644
./usr/share/bash-completion/completions/brelvik-cli 644
./usr/share/doc/brelvik/copyright 644
./usr/share/doc/brelvik/changelog.gz 644
$(for icon in $icons; do echo "$icon 644"; done)
LIST
# Regular files with their modes, owned by root.
dpkg-deb --fsys-tarfile "$deb" | tar -tvf - >"$work/listing"
awk '$1 ~ /^-/ {print $6, $1}' "$work/listing" | python3 -c '
import sys
for line in sys.stdin:
    path, mode = line.split()
    bits = "".join("1" if c != "-" else "0" for c in mode[1:])
    print(path, "%o" % int(bits, 2))' | sort >"$work/got"
sort -o "$work/want" "$work/want"
diff -u "$work/want" "$work/got" || failure "the package's files differ from the list above (- wanted, + found)"
awk '{print $2}' "$work/listing" | grep -vxq root/root && failure "files not owned by root: $(awk '$2 != "root/root"' "$work/listing")"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
names=$(tr ',' '\n' <<<"$depends" | sed -E 's/\(.*//; s/ //g')
for need in libc6 libstdc++6 libjpeg62-turbo libqt6core6 libqt6gui6 libqt6widgets6 fonts-liberation \
  libpng16-16 libwebp7 libwebpdemux2 libtiff6 libgif7; do
  grep -qxF "$need" <<<"$names" || failure "Depends lacks $need"
done
[ "$(dpkg-deb -f "$deb" Section)" = graphics ] || failure "Section is not graphics"
# Nothing to run at install or removal: no maintainer scripts, so a removal leaves no state behind.
scripts=$(dpkg-deb -I "$deb" | grep -oE '\b(preinst|postinst|prerm|postrm)\b' | sort -u | tr '\n' ' ' || true)
[ -z "$scripts" ] || failure "maintainer scripts in the package: $scripts"

dpkg-deb -x "$deb" "$work/root"
for size in 16 32 48 64 128 256; do
  got=$(identify -format '%wx%h %[channels]' "$work/root/usr/share/icons/hicolor/${size}x$size/apps/brelvik.png")
  [ "$got" = "${size}x$size srgba" ] || failure "the ${size}x$size icon is $got"
done
version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$work/root/usr/bin/brelvik" --version) || failure "brelvik --version failed"
[ "$version" = "Brelvik 1 10" ] || failure "brelvik --version printed '$version'"
"$work/root/usr/bin/brelvik-cli" --version >/dev/null || failure "brelvik-cli --version failed"

desktop-file-validate "$work/root/usr/share/applications/org.brelvik.Brelvik.desktop" || failure "desktop-file-validate"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/org.brelvik.Brelvik.metainfo.xml" ||
  failure "appstreamcli validate"

start=$SECONDS
lintian --tag-display-limit 0 "$deb" 2>&1 | grep -v 'running with root privileges' >"$work/lintian" || true
echo "lintian ($((SECONDS - start)) s):"
sed 's/^/  /' "$work/lintian"
grep -q '^E: ' "$work/lintian" && failure "lintian reports errors"

[ "$fail" -eq 0 ] && echo "PASS: the package holds what it should and the Debian tools accept it"
exit "$fail"
