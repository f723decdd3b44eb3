"""The console's assistance in the real program, read from the accessibility bus and typed into
with xdotool: the list of names under the caret is a named list whose chosen entry takes the
accessible focus, Tab puts the name in, the value of the line shows in the console's description while it
is typed and is gone after Enter, and the console's text holds only what was typed and written.
Run by run-on-private-desktop.sh; argument: the GUI program."""

import sys

import pyatspi

from bus import (MAIN_TITLE, check, children, find_app, focus_window, frame_named, key, report,
                 start_gui, type_text, wait_for, write_settings)

GUI = sys.argv[1]


def console_of(main_frame):
    return next((c for c in children(main_frame) if c.name == "Console"), None)


def console_text(console):
    text = console.queryText()
    return text.getText(0, text.characterCount)


def focused_entries():
    """The entries of the completion list that took the accessible focus, in order: a popup
    list is no child of the application on the bus, and a screen reader learns of it from its
    focus events, as it does of a menu."""
    found = []

    def on_focus(event):
        try:
            parent = event.source.parent
            if event.detail1 == 1 and event.source.getRoleName() == "list item" and \
                    parent.getRoleName() == "list" and parent.name == "Completions":
                found.append(event.source.name)
        except Exception:  # an entry of a list already replaced
            pass

    pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
    return found


def main():
    write_settings()
    gui = start_gui(GUI)
    try:
        app = wait_for(lambda: gui.poll() is None and find_app())
        main_frame = wait_for(lambda: frame_named(app, MAIN_TITLE)) if app else None
        if not check(main_frame is not None, "the program shows its main window on the bus"):
            return report()
        focus_window(MAIN_TITLE)
        console = console_of(main_frame)
        entries = focused_entries()
        type_text("po")
        check(wait_for(lambda: entries and entries[-1] == "pow(x,y): x to the power y"),
              f"the list of names announces its chosen entry, pow(: {entries!r}")
        key("Down")
        check(wait_for(lambda: entries and entries[-1].startswith("pol(x,y)")),
              f"Down chooses the next entry: {entries!r}")
        key("Up")
        check(wait_for(lambda: entries and entries[-1].startswith("pow(x,y)")),
              f"Up chooses the entry before: {entries!r}")
        key("Tab")
        type_text("2,10)")
        check(wait_for(lambda: console.description == "1024"),
              f"the value shows in the console's description: {console.description!r}")
        check(console_text(console) == "pow(2,10)",
              f"the value is not in the text: {console_text(console)!r}")
        key("Return")
        check(wait_for(lambda: console_text(console) == "pow(2,10)\n1024\n"),
              f"Enter runs the completed line: {console_text(console)!r}")
        check(wait_for(lambda: console.description != "1024"),
              f"the value is gone after Enter: {console.description!r}")
    finally:
        gui.terminate()
        gui.wait(timeout=10)
    return report()


if __name__ == "__main__":
    sys.exit(main())
