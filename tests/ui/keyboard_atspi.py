"""Keyboard-only run of the program, watched through AT-SPI as a screen reader sees it.

Usage: keyboard_atspi.py WORK-DIR. Keys go through xdotool; what they did is read from the
accessibility tree (focus, names, descriptions) and the files written."""
import os, subprocess, sys, time
import pyatspi

work = sys.argv[1]
S = pyatspi.state


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "120", *names], check=True)
    time.sleep(0.6)


def typed(text):
    subprocess.run(["xdotool", "type", "--delay", "30", text], check=True)
    time.sleep(0.3)


def until(what, probe, seconds=15):
    end = time.time() + seconds
    while time.time() < end:
        found = probe()
        if found:
            return found
        time.sleep(0.3)
    sys.exit(f"FAIL: {what}")


def app():
    return next((a for a in pyatspi.Registry.getDesktop(0) if a and a.name == "brelvik"), None)


def frame(name):
    return next((f for f in app() if f.name == name and f.getState().contains(S.STATE_SHOWING)), None)


def find(root, role, name):
    return pyatspi.findDescendant(root, lambda a: a.getRole() == role and a.name == name)


def focused(root):
    return pyatspi.findDescendant(root, lambda a: a.getState().contains(S.STATE_FOCUSED))


def expect_focus(root, role, name):
    until(f"focus on {name}", lambda: (lambda f: f and f.getRole() == role and f.name == name)(focused(root)), 5)


def focus_window(name):
    window = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{name}$"], capture_output=True,
                            text=True).stdout.split()[0]
    subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)  # as the desktop would
    time.sleep(0.5)


until("the program on the accessibility bus", lambda: app() and frame("Brelvik 1 10"))
main = frame("Brelvik 1 10")
picture = find(main, pyatspi.ROLE_IMAGE, "Рабочая картинка")
focus_window("Brelvik 1 10")

keys("Tab")
expect_focus(main, pyatspi.ROLE_PUSH_BUTTON, "Обзор")
keys("space")
until("the open dialog", lambda: len([f for f in app() if f.getState().contains(S.STATE_SHOWING)]) > 1)
typed(os.path.join(work, "quad.bmp"))
keys("Return")
until("the picture loaded", lambda: picture.description.startswith("quad.bmp: 120 × 80"))
print("opened:", picture.description)

focus_window("Brelvik 1 10")
keys("alt", "Down", "Down", "Return")
lighten = until("the Lighten window", lambda: frame("Осветлить"))
focus_window("Brelvik 100")
expect_focus(lighten, pyatspi.ROLE_COMBO_BOX, "Выберите величину освещения")
keys("Down", "Down", "Return")  # the empty step, then 10
until("the picture lightened", lambda: "правок" in picture.description)
print("lightened:", picture.description)
keys("Escape")
until("the Lighten window hidden", lambda: not lighten.getState().contains(S.STATE_SHOWING))


def save(target, extension, icon):
    focus_window("Brelvik 1 10")
    if icon:  # the type is the save dialog's: its type list follows the name box
        keys("shift+Tab")
        expect_focus(main, pyatspi.ROLE_PUSH_BUTTON, "Обзор")
        keys("space")
        until("the save dialog", lambda: len([f for f in app() if f.getState().contains(S.STATE_SHOWING)]) > 1)
        keys("Tab", "Down", "shift+Tab", "ctrl+a")
        typed(target)
        keys("Return")
        focus_window("Brelvik 1 10")
    else:
        keys("Tab")
        expect_focus(main, pyatspi.ROLE_TEXT, "Сохранить файл")
        keys("ctrl+a")
        typed(target)
        keys("Tab")
    keys("Tab")
    expect_focus(main, pyatspi.ROLE_PUSH_BUTTON, "Сохранить")
    keys("space")
    until(f"{target}{extension} written", lambda: os.path.exists(target + extension))
    print("saved:", target + extension, os.path.getsize(target + extension), "bytes")


save(os.path.join(work, "photo"), ".jpg", icon=False)
save(os.path.join(work, "badge"), ".ico", icon=True)
with open(os.path.join(work, "photo.jpg"), "rb") as f:
    assert f.read(2) == b"\xff\xd8", "photo.jpg is not a JPEG file"
assert os.path.getsize(os.path.join(work, "badge.ico")) == 766, "badge.ico is not the 766-byte icon"
print("PASS")
