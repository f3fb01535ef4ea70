#!/usr/bin/python3
"""A fake ModemManager on the system bus and a fake notification service on the session bus, for
brevane-callerid's test. Each records what it was asked, one tab-separated line a request, in the
file named by the first argument; the file READY (second argument) appears once both are served.

The control object /test (interface org.brevane.Test) drives the modem:
  AddCall(number s, direction u, state i, vanish b) -> o: a call object on the current modem,
      announced with Modem.Voice.CallAdded; with vanish, the modem and the call are removed right
      after the announcement (a modem unplugged mid-call) and a new modem takes the old one's place.
"""
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

MM = "org.freedesktop.ModemManager1"
RECORD, READY = sys.argv[1], sys.argv[2]


def record(*fields):
    with open(RECORD, "a", encoding="utf-8") as out:
        out.write("\t".join(str(field) for field in fields) + "\n")


class Call(dbus.service.Object):
    def __init__(self, bus, path, number, direction, state):
        super().__init__(bus, path)
        self.properties = {"Number": dbus.String(number), "Direction": dbus.UInt32(direction),
                           "State": dbus.Int32(state)}

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return self.properties

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self.properties[name]

    @dbus.service.method(MM + ".Call")
    def Hangup(self):
        record("hangup", self.properties["Number"])


class Modem(dbus.service.Object):
    @dbus.service.signal(MM + ".Modem.Voice", signature="o")
    def CallAdded(self, path):
        pass


class Control(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, "/test")
        self.bus = bus
        self.modems = 0
        self.calls = []
        self.modem = self.new_modem()

    def new_modem(self):
        self.modems += 1
        return Modem(self.bus, "/org/freedesktop/ModemManager1/Modem/%d" % self.modems)

    @dbus.service.method("org.brevane.Test", in_signature="suib", out_signature="o")
    def AddCall(self, number, direction, state, vanish):
        path = "/org/freedesktop/ModemManager1/Call/%d" % (len(self.calls) + 1)
        call = Call(self.bus, path, number, direction, state)
        self.calls.append(call)
        self.modem.CallAdded(path)
        if vanish:
            call.remove_from_connection()
            self.modem.remove_from_connection()
            self.modem = self.new_modem()
        return path


class Notifications(dbus.service.Object):
    @dbus.service.method("org.freedesktop.Notifications", in_signature="susssasa{sv}i", out_signature="u")
    def Notify(self, app, replaces, icon, summary, body, actions, hints, timeout):
        record("notify", summary, body, hints.get("sound-file", ""), "picture" if hints.get("image-path") else "")
        return 1


dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
system, session = dbus.SystemBus(), dbus.SessionBus()
names = [dbus.service.BusName(MM, system), dbus.service.BusName("org.freedesktop.Notifications", session)]
control = Control(system)
notifications = Notifications(session, "/org/freedesktop/Notifications")
open(READY, "w").close()
GLib.MainLoop().run()
