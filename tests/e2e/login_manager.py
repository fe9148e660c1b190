#!/usr/bin/python3
"""A stand-in for logind's inhibitor locks on a private system bus: Inhibit
hands out the write end of a pipe and watches the read end, so it sees the
lock let go the moment the last copy of the descriptor closes, however the
holder ends. Writes "taken|what|who|why|mode|time" and "released|time"
lines to the file named as its first argument; while the file named as its
second exists, every Inhibit is refused as polkit refuses it."""
import os
import sys
import time

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NAME = "org.freedesktop.login1"


def note(log, line):
    with open(log, "a", encoding="utf-8") as out:
        out.write("%s|%.3f\n" % (line, time.time()))


class Manager(dbus.service.Object):
    def __init__(self, bus, log, refusing):
        super().__init__(bus, "/org/freedesktop/login1")
        self.log = log
        self.refusing = refusing

    @dbus.service.method(NAME + ".Manager", in_signature="ssss", out_signature="h")
    def Inhibit(self, what, who, why, mode):
        if os.path.exists(self.refusing):
            note(self.log, "refused|%s|%s|%s|%s" % (what, who, why, mode))
            raise dbus.exceptions.DBusException("Access denied", name="org.freedesktop.DBus.Error.AccessDenied")
        read, write = os.pipe()
        GLib.io_add_watch(read, GLib.IO_HUP | GLib.IO_ERR, self.released)
        note(self.log, "taken|%s|%s|%s|%s" % (what, who, why, mode))
        handed = dbus.types.UnixFd(write)
        os.close(write)
        return handed

    def released(self, fd, _condition):
        note(self.log, "released")
        os.close(fd)
        return False


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SystemBus()
    # Both kept for as long as the loop runs: the name goes with its object.
    manager = Manager(bus, sys.argv[1], sys.argv[2])
    name = dbus.service.BusName(NAME, bus)
    GLib.MainLoop().run()
    return manager, name


if __name__ == "__main__":
    main()
