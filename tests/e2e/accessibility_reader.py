#!/usr/bin/python3
"""Reads ventaro's window the way a screen reader does, over AT-SPI, and
prints what it finds, one "role|name|description|showing|text" line per
object. With "poke", it first does what an assistive tool may do to every
object: presses it and writes into it. With "press NAME", it presses the
objects of that name. With "choose NAME", the open menu is gone down with
the Down key until the item read out is NAME, which Return then chooses.
With "size", it prints the window's width x height. With "press-in-menu NAME", the icon is pressed and the menu's item NAME
too, where there is no keyboard."""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib


def text_of(node):
    try:
        text = node.queryText()
        return text.getText(0, text.characterCount)
    except NotImplementedError:
        return ""


def poke(node):
    try:
        actions = node.queryAction()
        for i in range(actions.nActions):
            actions.doAction(i)
    except NotImplementedError:
        pass
    try:
        node.queryEditableText().setTextContents("2031/01/01 00:00:00")
    except NotImplementedError:
        pass


def walk(node, depth=0):
    if node is None or depth > 6:
        return
    if sys.argv[1:] == ["poke"]:
        poke(node)
    elif sys.argv[1:2] == ["press"] and node.name == sys.argv[2]:
        actions = node.queryAction()
        for i in range(actions.nActions):
            if actions.getName(i) in ("press", "click", "Press"):
                actions.doAction(i)
    showing = node.getState().contains(pyatspi.STATE_SHOWING)
    print("%s|%s|%s|%s|%s" % (node.getRoleName(), node.name, node.description.replace("\n", " "),
                              "showing" if showing else "hidden", text_of(node).replace("\n", " ")))
    for child in node:
        walk(child, depth + 1)


def choose(name):
    """Down the open menu until NAME is the item read, then Return: the
    menu's items are known by name, whatever their order."""
    read = []

    def focused(event):
        if event.detail1 and event.source is not None and "menu item" in event.source.getRoleName():
            read.append(event.source.name)

    pressed = [0]

    def step():
        if len(read) < pressed[0]:
            return True  # the last Down is not read out yet
        if read and read[-1] == name:
            subprocess.run(["xdotool", "key", "Return"], check=True)
            pyatspi.Registry.stop()
            return False
        if pressed[0] > 30:
            pyatspi.Registry.stop()
            return False
        subprocess.run(["xdotool", "key", "Down"], check=True)
        pressed[0] += 1
        return True

    pyatspi.Registry.registerEventListener(focused, "object:state-changed:focused")
    GLib.timeout_add(20, step)
    GLib.timeout_add(10000, pyatspi.Registry.stop)
    pyatspi.Registry.start()
    if not read or read[-1] != name:
        sys.exit("no item \"%s\" in the menu; read: %s" % (name, ", ".join(read) or "nothing"))


def find(node, name, depth=0):
    if node is None or depth > 6:
        return None
    if node.name == name:
        return node
    for child in node:
        found = find(child, name, depth + 1)
        if found is not None:
            return found
    return None


def press_in_menu(name):
    """With no keyboard to use (a compositor with no input): the icon's
    press opens the menu, whose first item is read out; from it the menu's
    item NAME is found and pressed."""
    read = []
    problem = []

    def focused(event):
        if event.detail1 and event.source is not None and "menu item" in event.source.getRoleName():
            read.append(event.source)

    def open_menu():
        icon = None
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "ventaro":
                icon = find(app, "menu")
        if icon is None:
            problem.append("ventaro's menu icon is not on the accessibility bus")
            pyatspi.Registry.stop()
        else:
            icon.queryAction().doAction(0)
        return False

    def press():
        if not read:
            return True
        item = find(read[-1].parent, name)
        if item is None:
            problem.append("no item \"%s\" in the menu" % name)
        else:
            item.queryAction().doAction(0)
        pyatspi.Registry.stop()
        return False

    pyatspi.Registry.registerEventListener(focused, "object:state-changed:focused")
    GLib.idle_add(open_menu)
    GLib.timeout_add(20, press)
    GLib.timeout_add(10000, pyatspi.Registry.stop)
    pyatspi.Registry.start()
    if problem or not read:
        sys.exit(problem[0] if problem else "the icon's press opened no menu")


if sys.argv[1:2] == ["size"]:
    deadline = time.time() + 10
    while time.time() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "ventaro":
                for window in app:
                    if window.getRoleName() in ("frame", "window"):
                        extents = window.queryComponent().getExtents(pyatspi.WINDOW_COORDS)
                        print("%dx%d" % (extents.width, extents.height))
                        sys.exit(0)
        time.sleep(0.1)
    sys.exit("ventaro is not on the accessibility bus")

if sys.argv[1:2] == ["press-in-menu"]:
    press_in_menu(sys.argv[2])
    sys.exit(0)

if sys.argv[1:2] == ["choose"]:
    choose(sys.argv[2])
    sys.exit(0)

deadline = time.time() + 10
while time.time() < deadline:
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "ventaro":
            for window in app:
                walk(window)
            sys.exit(0)
    time.sleep(0.2)
sys.exit("ventaro is not on the accessibility bus")
