"""What the desktop scripts share: checks that count, waiting on the accessibility bus (AT-SPI),
the program's windows as the bus shows them, and keys typed through the X server."""

import os
import subprocess
import time

import pyatspi
from gi.repository import GLib

TIMEOUT = 15.0
# The version as the window title shows it; the test's registration passes it in.
MAIN_TITLE = "Pelmorix V" + os.environ["PELMORIX_VERSION_TEXT"]

results = {"passed": 0, "failed": 0}


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


def write_settings(strRecord="01000000000255255255"):
    """The settings record the program reads at start; by default skin 0, English, black text on
    white."""
    strDir = os.environ["XDG_CONFIG_HOME"]
    with open(os.path.join(strDir, "Pelmorix.conf"), "w") as f:
        f.write(f"[General]\nLastConfig={strRecord}\n")




def frame_named(app, strName):
    return next((f for f in children(app) if f.name == strName), None)


def start_gui(strGui):
    """The program on X11 with its accessibility on, as a screen reader's desktop has it."""
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    return subprocess.Popen([strGui], env=env)


def focus_window(strTitle):
    """Gives the window the keyboard, as a window manager would."""
    subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{strTitle}$",
                    "windowfocus", "--sync"], check=True)


def type_text(strText):
    """Types as a person does: one key at a time, the program running between them."""
    subprocess.run(["xdotool", "type", "--delay", "20", strText], check=True)


def report():
    print(f"{results['passed']} passed, {results['failed']} failed")
    return 1 if results["failed"] else 0
