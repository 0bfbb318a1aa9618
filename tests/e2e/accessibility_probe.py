"""Reads Vorlane's window through AT-SPI during a transmission and listens for
its announcements, as a screen reader would. Usage: accessibility_probe.py
ECHOLINK_SIM LISTENING_FILE; the file is made once the probe listens, before
Vorlane is started. Prints what it read; exits 1 with the reasons when a
check fails."""

import subprocess
import sys
import time


import pyatspi
from gi.repository import GLib

SIM = sys.argv[1]
LISTENING = sys.argv[2]
failures = []
announced = []


def check(ok, what):
    print(("PASS: " if ok else "FAIL: ") + what)
    if not ok:
        failures.append(what)


def find_app():
    for _ in range(100):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == "vorlane":
                for j in range(app.childCount):
                    window = app.getChildAtIndex(j)
                    if window.name.startswith("VLN Ver."):
                        return window
        time.sleep(0.1)
    return None


def descendants(node):
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is None:
            continue
        yield child
        yield from descendants(child)


def first(window, role):
    return next((n for n in descendants(window) if n.getRole() == role), None)


def on_showing(event):
    if event.detail1 and event.source.getRole() == pyatspi.ROLE_NOTIFICATION:
        announced.append(event.source.name)


def emit(*args):
    subprocess.run([SIM, "emit", *args], check=True, stdout=subprocess.DEVNULL)


def later(seconds, step):
    GLib.timeout_add(int(seconds * 1000), lambda: step() and False)


# Each step is its own turn of the main loop, so the announcements are taken
# as they come, as a screen reader takes them.
def start():
    global window
    window = find_app()
    check(window is not None, "Vorlane's main window is on the accessibility bus")
    if window is None:
        loop.quit()
        return
    unnamed = [n.getRoleName() for n in descendants(window)
               if n.getState().contains(pyatspi.STATE_FOCUSABLE)
               and n.getState().contains(pyatspi.STATE_SHOWING) and not n.name]
    check(not unnamed, "every control that takes the focus has a name (unnamed: %s)" % unnamed)
    emit("tx", "on")
    later(3.2, read_status)


def read_status():
    global bar, before
    status_bar = first(window, pyatspi.ROLE_STATUS_BAR)
    readout = [c.name for c in descendants(status_bar)] if status_bar else []
    print("status bar reads:", readout)
    check(any(name.startswith("Time left 00:00:0") for name in readout),
          "the status bar reads the count as text")
    check("Transmitting" in readout, "the state lamp reads as words")
    bar = first(window, pyatspi.ROLE_PROGRESS_BAR)
    before = bar.queryValue().currentValue if bar else -1
    later(2.0, read_bar_again)


def read_bar_again():
    after = bar.queryValue().currentValue if bar else -1
    print("lamp bar:", before, "->", after, "of", bar.queryValue().maximumValue if bar else "?")
    check(bar is not None and 0 < before < after <= 90, "the lamp bar's value grows during the transmission")
    later(7.0, end_transmission)  # past the 10-second limit


def end_transmission():
    emit("tx", "off")
    later(4.0, finish)


def finish():
    print("announced:", announced)
    check(any(text.endswith(" left") for text in announced), "an alarm point is announced")
    check("Over" in announced, "\"Over\" is announced when the limit is used up")
    check(announced[-2:] == ["Standby", "Ready"], "the standby wait's start and end are announced")
    emit("closing")
    loop.quit()


pyatspi.Registry.registerEventListener(on_showing, "object:state-changed:showing")
open(LISTENING, "w").close()
loop = GLib.MainLoop()
later(0.5, start)
GLib.timeout_add(60000, lambda: (failures.append("timed out"), loop.quit()))
loop.run()
sys.exit(1 if failures else 0)
