# Shared start of the tests that need a real X server; sourced, not run.
# Usage: run_in_x_session SCRIPT BUILD-DIR TOOL...
#   BRELVIK_X_SCREEN sets the virtual screen (default 1024x768x24).
#   skips (exit 77) when a tool is missing, re-runs SCRIPT once inside a virtual X server of its
#   own, and there makes $work, removed on exit together with the process in $pid.
# The server picks a free display itself (-displayfd): several of these tests run at once under
# `ctest -j`, and choosing the number beforehand lets two of them race for the same one. It does
# not reset when its last client leaves, which would refuse the next program started for a moment.
# Window names are Russian: xdotool matches them only under a UTF-8 locale, which a bare
# environment (no LANG) does not give.
export LC_ALL=C.UTF-8

run_in_x_session() {
  local script=$1 build=$2
  shift 2
  local tool
  for tool in Xvfb "$@"; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (tools/install-deps.sh)"; exit 77; }
  done
  if [ -z "${BRELVIK_X_SESSION:-}" ]; then
    export BRELVIK_X_SESSION=1
    run_under_virtual_server bash "$script" "$build"
    exit $?
  fi
  work=$(mktemp -d)
  trap 'cleanup_x_session' EXIT
}

run_under_virtual_server() {  # COMMAND...: runs it with DISPLAY set, returns its status
  local number_file server status=0
  number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${BRELVIK_X_SCREEN:-1024x768x24}" -nolisten tcp -noreset 3>"$number_file" \
    >/dev/null 2>&1 &
  server=$!
  for _ in $(seq 1 100); do
    grep -q . "$number_file" 2>/dev/null && break
    sleep 0.1
  done
  if ! grep -q . "$number_file"; then
    echo "FAIL: the virtual X server did not start"
    kill "$server" 2>/dev/null
    rm -f "$number_file"
    return 1
  fi
  DISPLAY=":$(head -n 1 "$number_file")" "$@" || status=$?
  kill "$server" 2>/dev/null
  wait "$server" 2>/dev/null
  rm -f "$number_file"
  return "$status"
}

cleanup_x_session() {
  [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null || true
  rm -rf "$work"
}

# Helpers for the scripts inside the session.

wait_for_window() {  # NAME-PATTERN: prints the id of the first visible match; fails after 30 s
  local id=""
  for _ in $(seq 1 150); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.2
  done
  return 1
}

geometry() {  # WINDOW: sets left, top, width and height, in screen pixels
  local info
  info=$(xwininfo -id "$1")
  left=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
  top=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
  width=$(awk '/Width:/ {print $2}' <<<"$info")
  height=$(awk '/Height:/ {print $2}' <<<"$info")
}

# Starts openbox (its pid in $wm) and waits until it manages the screen: a window mapped while the
# manager is still starting may be left unmapped for good.
start_window_manager() {
  openbox --sm-disable >/dev/null 2>&1 &
  wm=$!
  for _ in $(seq 1 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    sleep 0.1
  done
  echo "FAIL: the window manager did not start"
  return 1
}

# How many visible top-level windows the program in $pid shows.
# Starts PROGRAM [ARG...] in the background, its output in $work/out.log, its pid in $pid.
start_program() {
  "$@" >"$work/out.log" 2>&1 &
  pid=$!
}

# Waits up to 30 s for the test program to write $work/ready (the place of what it put up);
# fails naming WHAT, with the program's output, when it does not.
wait_for_ready() {
  for _ in $(seq 1 150); do
    [ -s "$work/ready" ] && return 0
    sleep 0.2
  done
  echo "FAIL: the $1 did not come up"
  cat "$work/out.log"
  exit 1
}

window_count() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l; }

# Waits up to 10 s until the program in $pid shows COUNT visible top-level windows.
wait_window_count() {
  for _ in $(seq 1 50); do
    [ "$(window_count)" -eq "$1" ] && return 0
    sleep 0.2
  done
  return 1
}

# The colour of a pixel of the last screenshot, $work/screen.png, as "r,g,b".
pixel() { convert "$work/screen.png" -format "%[fx:int(255*u.r)],%[fx:int(255*u.g)],%[fx:int(255*u.b)]" -crop "1x1+$1+$2" info:; }

# Closes WINDOW as its close box would (WM_DELETE_WINDOW) and fails unless the program in $pid
# then ends with exit code 0 within 10 s.
close_expecting_success() {
  python3 "$(dirname "${BASH_SOURCE[0]}")/x11_close.py" "$1"
  for _ in $(seq 1 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
  done
  if kill -0 "$pid" 2>/dev/null; then echo "FAIL: still running after the close"; exit 1; fi
  local code=0
  wait "$pid" || code=$?
  pid=""
  [ "$code" -eq 0 ] || { echo "FAIL: exit code $code"; cat "$work/out.log"; exit 1; }
}
