"""The skin that follows the desktop, against a real session bus: a stand-in for the freedesktop
settings portal answers the program's question and then changes its colour scheme while the
program runs; the main window's caption, read from the X server, shows the night skin while the
desktop prefers dark and the default skin otherwise. Run by run-on-private-desktop.sh; argument:
the GUI program."""

import os
import shutil
import subprocess
import sys

from gi.repository import Gio, GLib

from bus import MAIN_TITLE, check, find_app, frame_named, report, start_gui, wait_for, \
    write_settings

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, os.pardir, os.pardir, "src", "res"))
import make_bitmaps  # noqa: E402  the colours the skins' title bars are drawn with

GUI = sys.argv[1]
EXIT_SKIPPED = 77
# Follow the desktop, English, blue text on white.
FOLLOW_DESKTOP_RECORD = "31255255255020020245"
PREFER_DARK, PREFER_LIGHT = 1, 2

PORTAL_XML = """
<node>
  <interface name="org.freedesktop.portal.Settings">
    <method name="Read">
      <arg type="s" name="namespace" direction="in"/><arg type="s" name="key" direction="in"/>
      <arg type="v" name="value" direction="out"/>
    </method>
    <method name="ReadOne">
      <arg type="s" name="namespace" direction="in"/><arg type="s" name="key" direction="in"/>
      <arg type="v" name="value" direction="out"/>
    </method>
    <signal name="SettingChanged">
      <arg type="s" name="namespace"/><arg type="s" name="key"/><arg type="v" name="value"/>
    </signal>
    <property name="version" type="u" access="read"/>
  </interface>
</node>"""
PATH = "/org/freedesktop/portal/desktop"
INTERFACE = "org.freedesktop.portal.Settings"


class Portal:
    """The portal's settings interface with one setting, org.freedesktop.appearance color-scheme."""

    def __init__(self, scheme):
        self.scheme = scheme
        self.reads = 0
        self.bus = Gio.bus_get_sync(Gio.BusType.SESSION)
        info = Gio.DBusNodeInfo.new_for_xml(PORTAL_XML).interfaces[0]
        self.bus.register_object(PATH, info, self.on_call, self.on_property, None)
        self.owned = False
        Gio.bus_own_name_on_connection(self.bus, "org.freedesktop.portal.Desktop",
                                       Gio.BusNameOwnerFlags.NONE, self.on_owned, None)

    def on_owned(self, *_):
        self.owned = True

    def on_property(self, *_):
        return GLib.Variant("u", 2)

    def on_call(self, _bus, _sender, _path, _interface, method, args, invocation):
        namespace, key = args.unpack()
        if (namespace, key) != ("org.freedesktop.appearance", "color-scheme"):
            invocation.return_dbus_error("org.freedesktop.portal.Error.NotFound", "no such key")
            return
        self.reads += 1
        value = GLib.Variant("u", self.scheme)
        # Read wraps the value in a second variant, as the portal itself does.
        inner = GLib.Variant("v", value) if method == "Read" else value
        invocation.return_value(GLib.Variant("(v)", (inner,)))

    def change(self, scheme):
        self.scheme = scheme
        self.bus.emit_signal(None, PATH, INTERFACE, "SettingChanged",
                             GLib.Variant("(ssv)", ("org.freedesktop.appearance", "color-scheme",
                                                    GLib.Variant("u", scheme))))
        self.bus.flush_sync(None)


def caption_colours(skin):
    """A caption pixel two rows down, in the window's active and inactive look."""
    return {make_bitmaps.caption_row(skin[state], 2) for state in ("active", "inactive")}


def caption_pixel():
    """The main window's caption pixel two rows down, 30 pixels in from its right edge."""
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{MAIN_TITLE}$",
                            "getwindowgeometry", "--shell"], capture_output=True, text=True)
    geometry = dict(line.split("=", 1) for line in found.stdout.split() if "=" in line)
    if not all(k in geometry for k in ("X", "Y", "WIDTH")):
        return None
    x = int(geometry["X"]) + int(geometry["WIDTH"]) - 30
    y = int(geometry["Y"]) + 2
    shot = subprocess.run(["import", "-window", "root", "-crop", f"1x1+{x}+{y}", "-depth", "8",
                           "rgb:-"], capture_output=True)
    return tuple(shot.stdout[:3]) if len(shot.stdout) >= 3 else None


def expect_skin(strName, colours):
    seen = []

    def shows():
        seen.append(caption_pixel())
        return seen[-1] in colours
    return check(wait_for(shows), f"the caption shows the {strName} skin (last pixel {seen[-1]})")


def main():
    if shutil.which("import") is None:
        print("SKIPPED: import is missing (Debian package: imagemagick)")
        return EXIT_SKIPPED
    night = caption_colours(make_bitmaps.NIGHT)
    gold = caption_colours(make_bitmaps.GOLD)
    portal = Portal(PREFER_DARK)
    if not check(wait_for(lambda: portal.owned), "the portal stand-in is on the session bus"):
        return report()
    write_settings(FOLLOW_DESKTOP_RECORD)
    gui = start_gui(GUI)
    try:
        app = wait_for(lambda: gui.poll() is None and find_app())
        if check(app and wait_for(lambda: frame_named(app, MAIN_TITLE)),
                 "the program shows its main window"):
            expect_skin("night", night)
            check(portal.reads == 1, f"the program asked the portal once ({portal.reads})")
            portal.change(PREFER_LIGHT)
            expect_skin("default (gold)", gold)
            portal.change(PREFER_DARK)
            expect_skin("night", night)
    finally:
        gui.terminate()
        gui.wait(timeout=10)
    return report()


if __name__ == "__main__":
    sys.exit(main())
