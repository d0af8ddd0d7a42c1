"""A notification server's do-not-disturb switch on the session bus.

  fake_notifications.py STATE LOG

Owns org.freedesktop.Notifications with its Inhibited property, which reads
"true" while the file STATE holds "true" and false otherwise; appends a line
"get SECONDS" to LOG at each reading. Prints "ready" once it owns the name.
Run with Debian's /usr/bin/python3 (python3-gi).
"""
import sys
import time

from gi.repository import Gio, GLib

NAME = "org.freedesktop.Notifications"
PATH = "/org/freedesktop/Notifications"
XML = """
<node><interface name="org.freedesktop.Notifications">
  <method name="GetCapabilities"><arg type="as" direction="out"/></method>
  <property name="Inhibited" type="b" access="read"/>
</interface></node>
"""


def main(state_file, log_file):
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    node = Gio.DBusNodeInfo.new_for_xml(XML)

    def on_call(connection, sender, path, interface, method, args, invocation):
        invocation.return_value(GLib.Variant("(as)", ([],)))

    def on_get(connection, sender, path, interface, name):
        try:
            with open(state_file) as state:
                inhibited = state.read().strip() == "true"
        except OSError:
            inhibited = False
        with open(log_file, "a") as log:
            log.write("get %.1f %s\n" % (time.time(), "true" if inhibited else "false"))
        return GLib.Variant("b", inhibited)

    bus.register_object(PATH, node.interfaces[0], on_call, on_get, None)

    def on_acquired(connection, name):
        print("ready", flush=True)

    Gio.bus_own_name_on_connection(bus, NAME, Gio.BusNameOwnerFlags.NONE, on_acquired, None)
    GLib.MainLoop().run()


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
