"""The calculator as a screen reader and a keyboard user meet it on a desktop: the windows, the
console and the buttons read from the accessibility bus (AT-SPI), a typed line whose result the
bus reports once, and the keys that show and hide every window. Run by
run-on-private-desktop.sh; argument: the GUI program."""

import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

GUI = sys.argv[1]
TIMEOUT = 15.0
# The version as the window title shows it; the test's registration passes it in.
MAIN_TITLE = "Pelmorix V" + os.environ["PELMORIX_VERSION_TEXT"]
# The row's windows in the order of their keys Ctrl+1 ... Ctrl+7.
ROW = ["Setting", "Help", "Unit Converter", "Graphics", "Var List",
       "Long Number Calculator", "Keyboard"]
CAPTION_BUTTONS = ["Close", "Maximise", "Minimise", "System menu"]

results = {"passed": 0, "failed": 0}
inserted = []


def check(bOk, strWhat):
    print(("ok      " if bOk else "FAILED  ") + strWhat, flush=True)
    results["passed" if bOk else "failed"] += 1
    return bOk


def wait_for(predicate, timeout=TIMEOUT):
    """Runs the bus's events until predicate() holds; its last value."""
    context = GLib.MainContext.default()
    end = time.monotonic() + timeout
    while True:
        while context.pending():
            context.iteration(False)
        value = predicate()
        if value or time.monotonic() > end:
            return value
        time.sleep(0.05)


def children(acc):
    try:
        return [c for c in acc if c is not None]
    except Exception:  # an object that went away while being read
        return []


def find_app():
    for app in children(pyatspi.Registry.getDesktop(0)):
        if app.name == "pelmorix":
            return app
    return None


def shown_frames(app):
    """Names of the application's windows that are showing."""
    names = []
    for frame in children(app):
        try:
            if frame.getState().contains(pyatspi.STATE_SHOWING):
                names.append(frame.name)
        except Exception:
            pass
    return names


def x_window_shown(strTitle):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{strTitle}$"],
                           capture_output=True, text=True)
    return found.returncode == 0 and found.stdout.strip() != ""


def key(strKeys):
    subprocess.run(["xdotool", "key", "--clearmodifiers", strKeys], check=True)


def write_settings():
    # Skin 0, English, black text on white: the settings record the program reads at start.
    strDir = os.environ["XDG_CONFIG_HOME"]
    with open(os.path.join(strDir, "Pelmorix.conf"), "w") as f:
        f.write("[General]\nLastConfig=01000000000255255255\n")


def on_insert(event):
    inserted.append((event.source.name if event.source else "", event.any_data))


def main():
    write_settings()
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    gui = subprocess.Popen([GUI], env=env)
    try:
        run_checks()
    finally:
        gui.terminate()
        gui.wait(timeout=10)
    print(f"{results['passed']} passed, {results['failed']} failed")
    return 1 if results["failed"] else 0


def run_checks():
    app = wait_for(find_app)
    if not check(app is not None, "the program is on the accessibility bus"):
        return
    main_frame = wait_for(lambda: next((f for f in children(app) if f.name == MAIN_TITLE), None))
    if not check(main_frame is not None, f"the main window is a window named {MAIN_TITLE!r}"):
        return
    controls = children(main_frame)
    by_role = lambda role: [c.name for c in controls if c.getRoleName() == role]
    check("Console" in by_role("text"), "the console is a text named 'Console'")
    buttons = by_role("push button")
    check(all(name in buttons for name in ROW), f"the row's buttons are named {ROW}")
    check(all(name in buttons for name in CAPTION_BUTTONS),
          f"the caption buttons are buttons: {CAPTION_BUTTONS}")

    # The window takes the keyboard as a window manager would give it.
    subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{MAIN_TITLE}$",
                    "windowfocus", "--sync"], check=True)
    console = next(c for c in controls if c.name == "Console")
    pyatspi.Registry.registerEventListener(on_insert, "object:text-changed:insert")
    subprocess.run(["xdotool", "type", "--delay", "20", "6*7"], check=True)
    key("Return")
    heard = wait_for(lambda: [t for (_, t) in inserted if "42" in t])
    wait_for(lambda: False, 0.5)  # any second report of it would have come by now
    heard = [(s, t) for (s, t) in inserted if "42" in t]
    check(heard == [("Console", "42")], f"the result is reported once as inserted text: {heard}")
    text = console.queryText()
    check("42" in text.getText(0, text.characterCount).split("\n"),
          "the console's text on the bus holds the result line")

    for nRow, strTitle in enumerate(ROW):
        strKey = f"ctrl+{nRow + 1}"
        key(strKey)
        bShown = wait_for(lambda: strTitle in shown_frames(app) and x_window_shown(strTitle))
        check(bShown, f"{strKey} shows {strTitle!r}")
        key(strKey)
        bHidden = wait_for(lambda: strTitle not in shown_frames(app)
                           and not x_window_shown(strTitle))
        check(bHidden, f"{strKey} again hides {strTitle!r}")

    key("F1")
    check(wait_for(lambda: "Help" in shown_frames(app)), "F1 shows 'Help'")
    key("Escape")
    check(wait_for(lambda: "Help" not in shown_frames(app)), "Escape hides 'Help'")
    check(wait_for(lambda: console.getState().contains(pyatspi.STATE_FOCUSED)),
          "the console has the keyboard again")

    key("F1")
    help_frame = wait_for(lambda: next((f for f in children(app) if f.name == "Help"), None))
    close = next((c for c in children(help_frame) if c.name == "Close"), None) if help_frame \
        else None
    if check(close is not None, "the help window has a Close button on the bus"):
        close.queryAction().doAction(0)
        check(wait_for(lambda: not x_window_shown("Help")), "pressing it on the bus closes it")


if __name__ == "__main__":
    sys.exit(main())
