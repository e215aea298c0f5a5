#!/usr/bin/env bash
# The program on a Wayland compositor (weston's headless backend), natively: started with a picture
# as its argument, its main window comes up showing that picture (checked on the window's own
# rendering, grabbed inside the program), it tells the compositor the desktop entry's id, and a
# dialog it opens is tied to the main window.
# Skips where weston or its headless backend cannot start.
set -euo pipefail
build=$(cd "${1:?usage: wayland_start_test.sh BUILD-DIR}" && pwd)
program="$build/wayland_window_grab"
[ -x "$program" ] || { echo "FAIL: $program is not built"; exit 1; }
command -v weston >/dev/null || { echo "SKIP: weston is not installed (tools/install-deps.sh)"; exit 77; }

work=$(mktemp -d)
weston_pid=""
cleanup() {
  [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
socket=brelvik-test
weston --backend=headless-backend.so --socket="$socket" --no-config --idle-time=0 \
  --width=1024 --height=768 >"$work/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 1 100); do
  [ -S "$XDG_RUNTIME_DIR/$socket" ] && break
  kill -0 "$weston_pid" 2>/dev/null || break
  sleep 0.1
done
if [ ! -S "$XDG_RUNTIME_DIR/$socket" ]; then
  echo "SKIP: weston's headless backend did not start"
  tail -n 5 "$work/weston.log"
  exit 77
fi

# A picture of one colour that nothing else in the window has.
python3 - "$work/green.bmp" <<'PY'
import struct, sys
w, h = 120, 90
stride = (w * 3 + 3) & ~3
row = bytes([0, 200, 0] * w) + bytes(stride - w * 3)
pixels = row * h
header = b"BM" + struct.pack("<IHHI", 54 + len(pixels), 0, 0, 54)
info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
open(sys.argv[1], "wb").write(header + info + pixels)
PY

status=0
env -u DISPLAY WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 \
  BRELVIK_GRAB_FILE="$work/grab.ppm" timeout 60 "$program" "$work/green.bmp" \
  >"$work/out.log" 2>"$work/wayland.log" || status=$?
cat "$work/out.log"
[ "$status" -eq 0 ] || { echo "FAIL: the program ended with $status"; tail -n 20 "$work/wayland.log"; exit 1; }
grep -qx 'platform wayland' "$work/out.log" || { echo "FAIL: not running natively on Wayland"; exit 1; }

# The id the compositor was told, as the protocol log shows it.
ids=$(grep -o 'set_app_id("[^"]*")' "$work/wayland.log" | sort -u)
echo "app ids sent: $ids"
[ "$ids" = 'set_app_id("org.brelvik.Brelvik")' ] || { echo "FAIL: the app id is not org.brelvik.Brelvik"; exit 1; }

# The secondary window shown is tied to the main window (the compositor keeps it over it).
grep -q 'xdg_toplevel@[0-9]*\.set_parent(xdg_toplevel@[0-9]*)' "$work/wayland.log" ||
  { echo "FAIL: the dialog is not transient for the main window"; exit 1; }

# The grabbed window shows the picture: at its own size in the upper box, all of it.
green=$(python3 - "$work/grab.ppm" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
magic, width, height, depth, pixels = data.split(maxsplit=4)
assert magic == b"P6" and depth == b"255", "not a binary PPM of 8-bit samples"
print(sum(1 for i in range(0, int(width) * int(height) * 3, 3) if pixels[i:i + 3] == bytes([0, 200, 0])))
PY
)
echo "picture pixels in the grab: $green (the picture has $((120 * 90)))"
[ "$green" -ge $((120 * 90)) ] || { echo "FAIL: the window does not show the picture"; exit 1; }
echo "PASS: native Wayland start with the picture and the desktop entry's id"
