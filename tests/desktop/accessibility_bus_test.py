"""The calculator as a screen reader and a keyboard user meet it on a desktop: the windows, the
console and the buttons read from the accessibility bus (AT-SPI), a typed line whose result the
bus reports once, and the keys that show and hide every window. Run by
run-on-private-desktop.sh; argument: the GUI program."""

import sys

import pyatspi

from bus import (MAIN_TITLE, check, children, find_app, focus_window, frame_named, key, report,
                 shown_frames, start_gui, type_text, wait_for, write_settings, x_window_shown)

GUI = sys.argv[1]
# The row's windows in the order of their keys Ctrl+1 ... Ctrl+7.
ROW = ["Setting", "Help", "Unit Converter", "Graphics", "Var List",
       "Long Number Calculator", "Keyboard"]
CAPTION_BUTTONS = ["Close", "Maximise", "Minimise", "System menu"]

inserted = []


def on_insert(event):
    inserted.append((event.source.name if event.source else "", event.any_data))


def main():
    write_settings()
    gui = start_gui(GUI)
    try:
        run_checks()
    finally:
        gui.terminate()
        gui.wait(timeout=10)
    return report()


def run_checks():
    app = wait_for(find_app)
    if not check(app is not None, "the program is on the accessibility bus"):
        return
    main_frame = wait_for(lambda: frame_named(app, MAIN_TITLE))
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
    focus_window(MAIN_TITLE)
    console = next(c for c in controls if c.name == "Console")
    pyatspi.Registry.registerEventListener(on_insert, "object:text-changed:insert")
    type_text("6*7")
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
    help_frame = wait_for(lambda: frame_named(app, "Help"))
    close = next((c for c in children(help_frame) if c.name == "Close"), None) if help_frame \
        else None
    if check(close is not None, "the help window has a Close button on the bus"):
        close.queryAction().doAction(0)
        check(wait_for(lambda: not x_window_shown("Help")), "pressing it on the bus closes it")


if __name__ == "__main__":
    sys.exit(main())
