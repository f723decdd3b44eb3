"""The console kept across a restart of the real program: lines typed as a person types them, the
main window closed through its Close button, the program started again over the same private
folders, the text, a variable and a curve back. Run by run-on-private-desktop.sh; argument: the
GUI program."""

import os
import sys

from bus import (MAIN_TITLE, check, children, find_app, focus_window, frame_named, key, report,
                 shown_frames, start_gui, type_text, wait_for, write_settings)

GUI = sys.argv[1]
KEPT_FILE = os.path.join(os.environ["XDG_DATA_HOME"], "pelmorix", "console.txt")
TYPED = "a=5\na*2\n10\nfx1 sin(x)\n"


def console_of(main_frame):
    return next((c for c in children(main_frame) if c.name == "Console"), None)


def console_text(console):
    text = console.queryText()
    return text.getText(0, text.characterCount)


def start_and_find_console(gui):
    """The main window's console once the started program shows it, else None."""
    app = wait_for(lambda: gui.poll() is None and find_app())
    main_frame = wait_for(lambda: frame_named(app, MAIN_TITLE)) if app else None
    if not check(main_frame is not None, "the program shows its main window on the bus"):
        return None, None
    focus_window(MAIN_TITLE)
    return app, console_of(main_frame)


def enter(strLine):
    type_text(strLine)
    key("Return")


def first_run():
    gui = start_gui(GUI)
    try:
        app, console = start_and_find_console(gui)
        if console is None:
            return False
        for strLine in ("a=5", "a*2", "fx1 sin(x)"):
            enter(strLine)
        if not check(wait_for(lambda: console_text(console) == TYPED),
                     f"the console holds what was typed: {console_text(console)!r}"):
            return False
        close = next((c for c in children(frame_named(app, MAIN_TITLE)) if c.name == "Close"),
                     None)
        if not check(close is not None, "the main window has a Close button on the bus"):
            return False
        close.queryAction().doAction(0)
        check(wait_for(lambda: gui.poll() is not None) and gui.returncode == 0,
              f"the program ends when its main window closes (status {gui.returncode})")
    finally:
        if gui.poll() is None:
            gui.terminate()
        gui.wait(timeout=10)
    return check(os.path.isfile(KEPT_FILE), f"the console is kept in {KEPT_FILE}")


def second_run():
    gui = start_gui(GUI)
    try:
        app, console = start_and_find_console(gui)
        if console is None:
            return
        check(wait_for(lambda: console_text(console) == TYPED),
              f"the console starts with the text it had: {console_text(console)!r}")
        enter("a+1")
        check(wait_for(lambda: console_text(console) == TYPED + "a+1\n6\n"),
              f"the kept variable is back: {console_text(console)!r}")
        key("ctrl+4")
        graph = wait_for(lambda: "Graphics" in shown_frames(app) and frame_named(app, "Graphics"))
        strDescription = graph.description if graph else ""
        check(strDescription.startswith("1 curves, 1 shown."),
              f"the graph shows the kept curve: {strDescription!r}")
    finally:
        gui.terminate()
        gui.wait(timeout=10)


def main():
    write_settings()
    if first_run():
        second_run()
    return report()


if __name__ == "__main__":
    sys.exit(main())
