#!/usr/bin/env bash
# The six windows on a virtual X server, opened as a person opens them (the main window's menu),
# each photographed: the scroll box shows no stripe of the window's colour right of its image
# boxes, every button caption stays inside its frame in the program's own fonts, and the pick
# lists of the Caption window have a white field and list rows 13 pixels high.
# BRELVIK_SHOT_KEEP=prefix keeps the screenshots as prefix-<window>.png for a look.
set -euo pipefail
unset QT_QPA_PLATFORM
build=$(cd "${1:?usage: window_look_test.sh BUILD-DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)

source "$here/x_session.sh"
run_in_x_session "$0" "$build" xdotool xwininfo import convert python3

cd "$work"
start_program "$build/brelvik"

fail() { echo "FAIL: $*"; cat "$work/out.log"; exit 1; }
find_window() { wait_for_window "$1" || true; }  # empty when none appears
# Left, top, width and height of a window's client area: the bottom $2 rows of the window.
client_of() {
  xwininfo -id "$1" | awk -v rows="$2" '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y + h - rows, w, rows}'
}
shoot() {
  sleep 0.6
  import -window root "$work/screen.png"
  [ -z "${BRELVIK_SHOT_KEEP:-}" ] || cp "$work/screen.png" "$BRELVIK_SHOT_KEEP-$1.png"
}
pixel() { convert "$work/screen.png" -format "%[fx:int(255*u.r)],%[fx:int(255*u.g)],%[fx:int(255*u.b)]" -crop "1x1+$1+$2" info:; }

# A button's frame is graded from red to the lime face; any other colour in the three columns next
# to its left and right edges is caption ink (text, accent or hover colour) running over it.
check_button() {
  local x=$1 y=$2 w=$3 name=$4 bad
  bad=$(for cx in $((x + 1)) $((x + w - 4)); do
          convert "$work/screen.png" -crop "3x7+$cx+$((y + 6))" -depth 8 txt:- | tail -n +2
        done | awk '{print $2}' | tr -d '()' | grep -v -x -E '255,0,0|86,169,0|34,221,0|8,247,0' | head -1 || true)
  [ -z "$bad" ] || fail "\"$name\": caption ink $bad over the frame"
  echo "\"$name\": the caption stays inside the frame"
}

# Opens an item of the main window's "Редактор" menu by keys after clicking the menu open.
editor_menu() {
  xdotool mousemove $((mleft + 25)) $((mtop - 10)) click 1
  sleep 0.5
  xdotool key "$@" Return
}
close_window() {
  python3 "$here/x11_close.py" "$1"
  sleep 0.4
}

main=$(find_window '^Brelvik 1 10$')
[ -n "$main" ] || fail "the main window did not appear"
read -r mleft mtop _ _ < <(client_of "$main" 481)
sleep 1
shoot main
# The scroll box's viewport at client x 438..441, right of the image boxes' content: the scroll
# box's colour, from top to bottom.
for y in 180 300 470; do
  got=$(pixel $((mleft + 439)) $((mtop + y)))
  [ "$got" = "236,233,216" ] || fail "the scroll box shows $got at client 439,$y, want its colour 236,233,216"
done
echo "scroll box: its own colour right of the image boxes"
check_button $((mleft + 400)) $((mtop + 24)) 49 "Обзор"
check_button $((mleft + 400)) $((mtop + 80)) 49 "Обзор"
check_button $((mleft + 384)) $((mtop + 116)) 65 "Сохранить"

# The Lighten and Darken windows: NAME, client height, the buttons' top, then the menu keys.
check_step_window() {
  local name=$1 height=$2 buttons=$3
  shift 3
  editor_menu "$@"
  form=$(find_window '^Brelvik 100$')
  [ -n "$form" ] || fail "the $name window did not appear"
  read -r left top _ _ < <(client_of "$form" "$height")
  shoot "${name,,}"
  check_button $((left + 16)) $((top + buttons)) 81 "Да"
  check_button $((left + 192)) $((top + buttons)) 81 "Отмена"
  close_window "$form"
}
check_step_window Lighten 64 38 Down Down
check_step_window Darken 66 40 Down Down Down

editor_menu Up
form=$(find_window '^Текст$')
[ -n "$form" ] || fail "the Caption window did not appear"
read -r left top _ _ < <(client_of "$form" 161)
shoot caption
check_button $((left + 16)) $((top + 50)) 81 "Шрифт"
check_button $((left + 24)) $((top + 128)) 81 "Применить"
check_button $((left + 240)) $((top + 128)) 81 "Отмена"
# The X list's field is white; opened, its rows are 13 pixels high: the highlighted row "10" is a
# blue band 13 rows tall.
got=$(pixel $((left + 80 + 20)) $((top + 96 + 4)))
[ "$got" = "255,255,255" ] || fail "the X list's field is $got, want white"
xdotool mousemove $((left + 80 + 20)) $((top + 96 + 10)) click 1
shoot caption-list
band=$(convert "$work/screen.png" -crop "1x120+$((left + 80 + 30))+$((top + 90))" -depth 8 txt:- | tail -n +2 |
       awk '{gsub(/[()]/, "", $2); split($2, c, ",")
             if (c[1] < 100 && c[3] > 150) { if (++run > best) best = run } else run = 0 } END {print best + 0}')
xdotool key Escape
[ "$band" = "13" ] || fail "the highlighted row of the open X list is ${band:-0} pixels high, want 13"
echo "X list: white field, rows 13 pixels high"
close_window "$form"

# The information command needs a source path; "Инфа" is the menu right of "Редактор".
convert -size 40x20 xc:red "BMP3:$work/red.bmp"
xdotool mousemove $((mleft + 100)) $((mtop + 35)) click 1
xdotool type --delay 40 "$work/red.bmp"
sleep 0.8
editor_menu Right Down
form=$(find_window '^О BMP файле$')
[ -n "$form" ] || fail "the BMP information window did not appear"
shoot info
close_window "$form"

xdotool mousemove $((mleft + 150)) $((mtop - 10)) click 1
form=$(find_window '^О программе$')
[ -n "$form" ] || fail "the About window did not appear"
shoot about
close_window "$form"
echo "PASS: six windows shown; no stripe in the scroll box, every button caption inside its frame"
