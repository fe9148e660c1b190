#!/usr/bin/python3
"""A stand-in for the desktop's notification service: it answers
org.freedesktop.Notifications on the session bus, reads body markup, and
writes one line per call to the file named as its argument:
new|update, id, replaces_id, summary, body. Calling CloseLast on
org.ventaro.Test closes the newest notification as a user would; ActLast
runs its default action, then closes it with the same reason, as servers do."""
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NAME = "org.freedesktop.Notifications"


class Service(dbus.service.Object):
    def __init__(self, bus, log):
        super().__init__(bus, "/org/freedesktop/Notifications")
        self.log = log
        self.last = 0

    @dbus.service.method(NAME, in_signature="susssasa{sv}i", out_signature="u")
    def Notify(self, app, replaces, icon, summary, body, actions, hints, timeout):
        kind = "update" if replaces else "new"
        if not replaces:
            self.last += 1
        with open(self.log, "a", encoding="utf-8") as out:
            out.write("%s|%d|%d|%s|%s\n" % (kind, replaces or self.last, replaces, summary, body.replace("\n", " ")))
        return dbus.UInt32(replaces or self.last)

    @dbus.service.method(NAME, out_signature="as")
    def GetCapabilities(self):
        return ["body", "body-markup", "actions"]

    @dbus.service.signal(NAME, signature="uu")
    def NotificationClosed(self, id, reason):
        pass

    @dbus.service.signal(NAME, signature="us")
    def ActionInvoked(self, id, action):
        pass

    @dbus.service.method("org.ventaro.Test")
    def ActLast(self):
        self.ActionInvoked(dbus.UInt32(self.last), "default")
        self.NotificationClosed(dbus.UInt32(self.last), dbus.UInt32(2))

    @dbus.service.method("org.ventaro.Test")
    def CloseLast(self):
        self.NotificationClosed(dbus.UInt32(self.last), dbus.UInt32(2))


DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
name = dbus.service.BusName(NAME, bus)
service = Service(bus, sys.argv[1])
GLib.MainLoop().run()
