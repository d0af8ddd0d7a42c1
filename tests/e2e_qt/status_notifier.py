"""A StatusNotifierItem host's side of the session bus, for the tests.

  watch FILE            owns org.kde.StatusNotifierWatcher with a host
                        registered, and appends "SERVICE PATH" to FILE for
                        each item that registers
  items                 the items a running watcher (a shell's) lists, as
                        "SERVICE PATH"
  menu SERVICE PATH     the item's Menu path, then its menu's entries as a
                        host reads them: "ID LABEL" or "ID -" for a separator
  click SERVICE MENU ID picks entry ID as a host does on a click

Run with Debian's /usr/bin/python3 (python3-gi).
"""
import sys

from gi.repository import Gio, GLib

WATCHER = "org.kde.StatusNotifierWatcher"
WATCHER_PATH = "/StatusNotifierWatcher"
ITEM = "org.kde.StatusNotifierItem"
DBUSMENU = "com.canonical.dbusmenu"
WATCHER_XML = """
<node><interface name="org.kde.StatusNotifierWatcher">
  <method name="RegisterStatusNotifierItem"><arg type="s" direction="in"/></method>
  <method name="RegisterStatusNotifierHost"><arg type="s" direction="in"/></method>
  <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
  <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
  <property name="ProtocolVersion" type="i" access="read"/>
  <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
  <signal name="StatusNotifierItemUnregistered"><arg type="s"/></signal>
  <signal name="StatusNotifierHostRegistered"/>
</interface></node>
"""


def session_bus():
    return Gio.bus_get_sync(Gio.BusType.SESSION, None)


def watch(record_file):
    bus = session_bus()
    items = []

    def on_call(connection, sender, path, interface, method, args, invocation):
        if method == "RegisterStatusNotifierItem":
            # Qt names its own bus name; an item may give a path instead.
            given = args.unpack()[0]
            service, item_path = (sender, given) if given.startswith("/") else (given, "/StatusNotifierItem")
            items.append(service + item_path)
            with open(record_file, "a") as record:
                record.write(f"{service} {item_path}\n")
            connection.emit_signal(None, WATCHER_PATH, WATCHER, "StatusNotifierItemRegistered",
                                   GLib.Variant("(s)", (service + item_path,)))
        invocation.return_value(None)

    def on_get(connection, sender, path, interface, name):
        return {"RegisteredStatusNotifierItems": GLib.Variant("as", items),
                "IsStatusNotifierHostRegistered": GLib.Variant("b", True),
                "ProtocolVersion": GLib.Variant("i", 0)}[name]

    node = Gio.DBusNodeInfo.new_for_xml(WATCHER_XML)
    bus.register_object(WATCHER_PATH, node.interfaces[0], on_call, on_get, None)
    Gio.bus_own_name_on_connection(bus, WATCHER, Gio.BusNameOwnerFlags.NONE, None, None)
    GLib.MainLoop().run()


def call(bus, service, path, interface, method, args, reply_type):
    return bus.call_sync(service, path, interface, method, args, GLib.VariantType(reply_type),
                         Gio.DBusCallFlags.NONE, 5000, None).unpack()


def get_property(bus, service, path, interface, name):
    return call(bus, service, path, "org.freedesktop.DBus.Properties", "Get",
                GLib.Variant("(ss)", (interface, name)), "(v)")[0]


def items():
    """Prints "SERVICE PATH" per item; watchers join the two as they like."""
    for item in get_property(session_bus(), WATCHER, WATCHER_PATH, WATCHER, "RegisteredStatusNotifierItems"):
        service, _, path = item.partition("/")
        print(service.rstrip("@"), "/" + path if path else "/StatusNotifierItem")


def menu(service, path):
    bus = session_bus()
    menu_path = get_property(bus, service, path, ITEM, "Menu")
    print(menu_path)
    if menu_path == "/NO_DBUSMENU":
        return
    _, (_, _, children) = call(bus, service, menu_path, DBUSMENU, "GetLayout",
                               GLib.Variant("(iias)", (0, -1, [])), "(u(ia{sv}av))")
    for entry_id, properties, _ in children:
        if not properties.get("visible", True):
            continue
        separator = properties.get("type") == "separator"
        print(entry_id, "-" if separator else properties.get("label", ""))


def click(service, menu_path, entry_id):
    bus = session_bus()
    bus.call_sync(service, menu_path, DBUSMENU, "Event",
                  GLib.Variant("(isvu)", (int(entry_id), "clicked", GLib.Variant("i", 0), 0)),
                  None, Gio.DBusCallFlags.NONE, 5000, None)


if __name__ == "__main__":
    commands = {"watch": watch, "items": items, "menu": menu, "click": click}
    commands[sys.argv[1]](*sys.argv[2:])
