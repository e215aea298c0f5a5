# Keyboard-only run, watched as a screen reader sees it: keys through xdotool, their effect read
# from the accessibility tree (focus, names, descriptions) and the files written. Arg: work folder.
import os, subprocess, sys, time
import pyatspi

work, S, R = sys.argv[1], pyatspi.state, pyatspi


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "120", *names], check=True)
    time.sleep(0.6)


def typed(text):
    subprocess.run(["xdotool", "type", "--delay", "30", text], check=True)


def until(what, probe, seconds=15):
    for _ in range(int(seconds / 0.3)):
        if found := probe():
            return found
        time.sleep(0.3)
    sys.exit(f"FAIL: {what}")


def app():
    return next((a for a in pyatspi.Registry.getDesktop(0) if a and a.name == "brelvik"), None)


def frame(name):
    return next((f for f in app() if f.name == name and f.getState().contains(S.STATE_SHOWING)), None)


def dialog_open():
    return len([f for f in app() if f.getState().contains(S.STATE_SHOWING)]) > 1


def expect_focus(root, role, name):
    def right():
        f = pyatspi.findDescendant(root, lambda a: a.getState().contains(S.STATE_FOCUSED))
        return f and f.getRole() == role and f.name == name
    until(f"focus on {name}", right, 5)


def focus_window(title):  # what the desktop's window manager does for a window shown
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"], capture_output=True,
                           text=True).stdout.split()
    subprocess.run(["xdotool", "windowfocus", "--sync", found[0]], check=True)
    time.sleep(0.5)


main = until("the program on the accessibility bus", lambda: app() and frame("Brelvik 1 10"))
picture = pyatspi.findDescendant(main, lambda a: a.getRole() == R.ROLE_IMAGE and a.name == "Рабочая картинка")
focus_window("Brelvik 1 10")
keys("Tab")
expect_focus(main, R.ROLE_PUSH_BUTTON, "Обзор")
keys("space")
until("the open dialog", dialog_open)
typed(os.path.join(work, "quad.bmp"))
keys("Return")
until("the picture loaded", lambda: picture.description == "quad.bmp: 120 × 80 точек")

focus_window("Brelvik 1 10")
keys("alt", "Down", "Down", "Return")
lighten = until("the Lighten window", lambda: frame("Осветлить"))
focus_window("Brelvik 100")
expect_focus(lighten, R.ROLE_COMBO_BOX, "Выберите величину освещения")
keys("Down", "Down", "Return")  # the empty step, then 10
until("the picture lightened", lambda: picture.description == "quad.bmp: 120 × 80 точек, правок: 1")
keys("Escape")
until("the Lighten window hidden", lambda: not lighten.getState().contains(S.STATE_SHOWING))

for name, icon in (("photo.jpg", False), ("badge.ico", True)):
    target = os.path.join(work, name[:-4])
    focus_window("Brelvik 1 10")
    if icon:  # the type is picked in the save dialog: its type list follows the name box
        keys("shift+Tab")
        expect_focus(main, R.ROLE_PUSH_BUTTON, "Обзор")
        keys("space")
        until("the save dialog", dialog_open)
        keys("Tab", "Down", "shift+Tab", "ctrl+a")
        typed(target)
        keys("Return")
        focus_window("Brelvik 1 10")
    else:
        keys("Tab")
        expect_focus(main, R.ROLE_TEXT, "Сохранить файл")
        keys("ctrl+a")
        typed(target)
        keys("Tab")
    keys("Tab")
    expect_focus(main, R.ROLE_PUSH_BUTTON, "Сохранить")
    keys("space")
    until(f"{name} written", lambda: os.path.exists(target + name[-4:]))
    time.sleep(0.5)
    print("saved:", name, os.path.getsize(target + name[-4:]), "bytes")

assert open(os.path.join(work, "photo.jpg"), "rb").read(2) == b"\xff\xd8", "photo.jpg is no JPEG file"
assert os.path.getsize(os.path.join(work, "badge.ico")) == 766, "badge.ico is not the 766-byte icon"
print("PASS: opened, lightened, closed with Escape, saved as JPEG and icon, by keyboard alone")
