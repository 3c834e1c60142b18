#!/usr/bin/python3
"""The application as a screen reader reads it: AT-SPI, through Qt's bridge.

Run under a D-Bus session and an X server of its own:

    dbus-run-session -- xvfb-run -a /usr/bin/python3 AccessibilityTree.py BUNDLE/bin/quillmarrow

It counts a small folder (Go: 7 code lines, C: 3), then checks that each pie
slice stands at its own place and says its language, code lines and share;
that each legend row says its language; that AT-SPI's Toggle on "Analytics"
changes the screen; that a language's chevron is a button named after it
whose Press shows its files; and that closing the window through the File
menu ends the application with status 0.
"""

import os
import subprocess
import sys
import tempfile
import time

import pyatspi


def wait_for(what, condition, seconds=60):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        found = condition()
        if found:
            return found
        time.sleep(0.2)
    raise AssertionError("timed out waiting for " + what)


def walk(node, depth=0):
    yield node
    if depth > 40:
        return
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, depth + 1)


def named(root, role, name):
    return [n for n in walk(root) if n.getRole() == role and n.name == name]


def action(node, wanted):
    actions = node.queryAction()
    for i in range(actions.nActions):
        if actions.getName(i).lower() == wanted:
            return lambda: actions.doAction(i)
    raise AssertionError(f"{node.name!r} has no action {wanted!r}")


def extents(node):
    e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return (e.x, e.y, e.width, e.height)


def write_sources(folder):
    files = {
        "a.go": "package a\nvar x = 1\nvar y = 2\nvar z = 3\nvar w = 4\n",
        "b.go": "package a\nvar v = 5\n",
        "a.c": "int a;\nint b;\nint c;\n",
    }
    for name, text in files.items():
        with open(os.path.join(folder, name), "w") as f:
            f.write(text)


def main():
    application = sys.argv[1]
    checks = 0
    # The registry comes up before the application, whose bridge looks for it at start.
    pyatspi.Registry.getDesktop(0)
    with tempfile.TemporaryDirectory() as scratch:
        folder = os.path.join(scratch, "sample")
        os.mkdir(folder)
        write_sources(folder)
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QUILLMARROW_QUIT_AFTER="120",
                   QUILLMARROW_INSTANCE_KEY="quillmarrow-atspi-%d" % os.getpid())
        env.pop("QT_QPA_PLATFORM", None)
        process = subprocess.Popen([application, folder], env=env)
        try:
            desktop = pyatspi.Registry.getDesktop(0)

            def own_application():
                for i in range(desktop.childCount):
                    app = desktop.getChildAtIndex(i)
                    if app is not None and app.get_process_id() == process.pid:
                        return app
                return None

            app = wait_for("the application on the bus", own_application)

            # The pie: one image per slice, each at its own place.
            slices = wait_for("the slices", lambda: (lambda s: s if len(s) == 2 else None)(
                named(app, pyatspi.ROLE_IMAGE, "Code breakdown")))
            descriptions = [s.description for s in slices]
            assert descriptions == ["7 Go, 70.0%", "3 C, 30.0%"], descriptions
            places = [extents(s) for s in slices]
            assert places[0] != places[1] and all(w > 0 and h > 0 for _, _, w, h in places), places
            checks += 2

            # The legend: a row per language, saying it.
            rows = named(app, pyatspi.ROLE_LABEL, "Pie chart legend")
            assert [r.description for r in rows] == ["Go", "C"], [(r.name, r.description) for r in rows]
            checks += 1

            # Toggle on "Analytics" shows the languages, each with its chevron.
            analytics = [n for n in walk(app) if n.name == "Analytics"]
            assert len(analytics) == 1, [n.name for n in analytics]
            action(analytics[0], "toggle")()
            go = wait_for("the chevron of Go", lambda: named(app, pyatspi.ROLE_PUSH_BUTTON, "Go"))
            assert named(app, pyatspi.ROLE_PUSH_BUTTON, "C"), "the chevron of C"
            assert go[0].description == "Show the files of Go", go[0].description
            checks += 2

            # Its Press shows the language's files.
            action(go[0], "press")()
            wait_for("the files of Go", lambda: named(app, pyatspi.ROLE_TABLE_CELL, "b.go"))
            checks += 1

            # Closing the window quits.
            close = [n for n in walk(app) if n.getRole() == pyatspi.ROLE_MENU_ITEM and n.name == "Close Window"]
            assert len(close) == 1, "File > Close Window"
            action(close[0], "press")()
            status = process.wait(timeout=30)
            assert status == 0, status
            checks += 1
        finally:
            if process.poll() is None:
                process.kill()
                process.wait()
    print(f"{checks} passed, 0 failed")


if __name__ == "__main__":
    main()
