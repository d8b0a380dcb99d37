// A stand-in notification area for desktops run in tests: owns
// org.kde.StatusNotifierWatcher on the session bus and says a host is
// there, so Qt shows its tray icon and the program starts hidden in the
// tray, as at a login. It draws nothing. Run with gjs; ends with its bus.
const {Gio, GLib} = imports.gi;

const XML = `<node><interface name="org.kde.StatusNotifierWatcher">
  <method name="RegisterStatusNotifierItem"><arg type="s" direction="in"/></method>
  <method name="RegisterStatusNotifierHost"><arg type="s" direction="in"/></method>
  <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
  <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
  <property name="ProtocolVersion" type="i" access="read"/>
  <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
  <signal name="StatusNotifierItemUnregistered"><arg type="s"/></signal>
  <signal name="StatusNotifierHostRegistered"/>
</interface></node>`;

const items = [];
const watcher = Gio.DBusExportedObject.wrapJSObject(XML, {
    RegisterStatusNotifierItem(service) {
        items.push(service);
    },
    RegisterStatusNotifierHost() {},
    get RegisteredStatusNotifierItems() {
        return items;
    },
    get IsStatusNotifierHostRegistered() {
        return true;
    },
    get ProtocolVersion() {
        return 0;
    },
});
const loop = new GLib.MainLoop(null, false);
watcher.export(Gio.DBus.session, '/StatusNotifierWatcher');
Gio.bus_own_name_on_connection(Gio.DBus.session, 'org.kde.StatusNotifierWatcher',
    Gio.BusNameOwnerFlags.NONE, null, () => loop.quit());
Gio.DBus.session.connect('closed', () => loop.quit());
loop.run();
