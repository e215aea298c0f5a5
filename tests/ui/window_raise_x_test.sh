#!/usr/bin/env bash
# A secondary window once shown and then buried behind the main window comes back to the front,
# with the focus, when its menu command is chosen again; under a real window manager (openbox),
# which is what stacks and focuses windows for the user.
set -euo pipefail
unset QT_QPA_PLATFORM
build=$(cd "${1:?usage: window_raise_x_test.sh BUILD-DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)

source "$here/x_session.sh"
run_in_x_session "$0" "$build" openbox xdotool xwininfo xprop

trap 'kill ${wm:-} 2>/dev/null; cleanup_x_session' EXIT
start_window_manager
cd "$work"
start_program "$build/brelvik"
main=$(wait_for_window '^Brelvik 1 10$') || { echo "FAIL: no main window"; cat "$work/out.log"; exit 1; }
sleep 1

# Chooses a command: a click on the menu bar X pixels right of the window's left edge, then KEYS
# and Return in the menu that opens (none for a command on the bar itself).
choose() {
  geometry "$main"
  xdotool mousemove $((left + $1)) $((top + 10)) click 1
  shift
  sleep 0.5
  [ $# -eq 0 ] || xdotool key --delay 100 "$@" Return
  sleep 0.7
}
active() { printf '%d\n' "$(xdotool getactivewindow)"; }
topmost_of() {  # the later in the window manager's stacking order of two windows
  xprop -root _NET_CLIENT_LIST_STACKING | tr -d ',' | tr ' ' '\n' | grep -E '^0x' |
    while read -r id; do printf '%d\n' "$id"; done | grep -xE "$1|$2" | tail -1
}

# title | menu bar position | keys in the open menu
while IFS='|' read -r title x keys; do
  choose "$x" $keys
  shown=$(wait_for_window "^$title\$") || { echo "FAIL: '$title' did not appear"; exit 1; }
  geometry "$main"
  xdotool mousemove $((left + 440)) $((top + height - 20)) click 1  # the main window, beside the pictures
  sleep 0.7
  [ "$(active)" = "$main" ] || { echo "FAIL: the main window did not take the focus"; exit 1; }
  [ "$(topmost_of "$shown" "$main")" = "$main" ] || { echo "FAIL: '$title' is not behind the main window"; exit 1; }
  choose "$x" $keys
  [ "$(active)" = "$shown" ] || { echo "FAIL: '$title' shown again is not active"; exit 1; }
  [ "$(topmost_of "$shown" "$main")" = "$shown" ] || { echo "FAIL: '$title' shown again stays behind"; exit 1; }
  echo "'$title' came to the front"
done <<'TABLE'
Brelvik 100|25|Down Down
Текст|25|Down Down Down Down Down
О программе|150|
TABLE
echo "PASS: a shown window comes to the front when its command is chosen again"
