"""Walks the accessibility tree of the running program as a screen reader does (AT-SPI, pyatspi)
and checks that what the screens show is readable: every expected (role, name) is there, and the
values of editable texts are read through their text interface.

Usage: a11y_walk.py APP_NAME EXPECT...  where EXPECT is ROLE=NAME (present) or ROLE=NAME=TEXT (its
text reads TEXT). Exits 1 naming what is missing, after printing the tree."""
import sys
import time

import pyatspi


def find_app(name, seconds=20):
    for _ in range(seconds * 5):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == name:
                return app
        time.sleep(0.2)
    return None


def text_of(node):
    try:
        text = node.queryText()
    except NotImplementedError:
        return None
    return text.getText(0, text.characterCount)


def walk(node, depth, seen):
    try:
        role, name = node.getRoleName(), node.name
    except Exception:  # a node that went away while it was read
        return
    seen.append((depth, role, name, text_of(node)))
    for child in node:
        if child is not None:
            walk(child, depth + 1, seen)


def main():
    app = find_app(sys.argv[1])
    if app is None:
        print(f"FAIL: no application {sys.argv[1]!r} on the accessibility bus")
        return 1
    expected = [tuple(wanted.split("=", 2)) for wanted in sys.argv[2:]]
    for _ in range(50):  # the screens may still be coming up
        seen = []
        walk(app, 0, seen)
        missing = [wanted for wanted in expected
                   if not any(role == wanted[0] and name == wanted[1] and (len(wanted) == 2 or text == wanted[2])
                              for _, role, name, text in seen)]
        if not missing:
            return 0
        time.sleep(0.2)
    for depth, role, name, text in seen:
        print("  " * depth + f"[{role}] {name!r}" + (f" text={text!r}" if text is not None else ""))
    for wanted in missing:
        print("FAIL: not readable: " + "=".join(wanted))
    return 1


if __name__ == "__main__":
    sys.exit(main())
