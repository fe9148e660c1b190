#!/usr/bin/python3
"""Reads ventaro's window the way a screen reader does, over AT-SPI, and
prints what it finds, one "role|name|description" line per object."""
import sys
import time

import pyatspi


def walk(node, depth=0):
    if node is None or depth > 6:
        return
    print("%s|%s|%s" % (node.getRoleName(), node.name, node.description.replace("\n", " ")))
    for child in node:
        walk(child, depth + 1)


deadline = time.time() + 10
while time.time() < deadline:
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "ventaro":
            for window in app:
                walk(window)
            sys.exit(0)
    time.sleep(0.2)
sys.exit("ventaro is not on the accessibility bus")
