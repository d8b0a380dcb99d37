// Both GNOME Shell extensions as the Shell runs them, with a stand-in for
// global.display, on the private session bus of dbus-run-session. The
// program's name appears only after enable(): a program started after the
// Shell (or restarted) must still learn which application has the focus.
// Arguments: the gnome-shell folder of the extensions, and a compiled
// resource with a stand-in of the Shell's extension.js.
import Gio from 'gi://Gio';
import GLib from 'gi://GLib';
import System from 'system';

const [folder, shellStub] = ARGV;
const SERVICE_XML = `<node><interface name="io.github.corvaline.Control">
  <method name="FocusChanged"><arg type="s" direction="in"/></method>
</interface></node>`;

class StubDisplay {
    constructor() {
        this.handlers = new Map();
        this.next = 1;
        this.focus_window = null;
    }
    connect(signal, handler) {
        this.handlers.set(this.next, {signal, handler});
        return this.next++;
    }
    disconnect(id) {
        this.handlers.delete(id);
    }
    focus(wmClass) {
        this.focus_window = {get_wm_class: () => wmClass};
        for (const {signal, handler} of this.handlers.values()) {
            if (signal === 'notify::focus-window')
                handler();
        }
    }
}

// The program's focus service, on a connection of its own, as the program has.
function startProgram(reports) {
    const address = Gio.dbus_address_get_for_bus_sync(Gio.BusType.SESSION, null);
    const bus = Gio.DBusConnection.new_for_address_sync(address,
        Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT |
        Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, null, null);
    const service = Gio.DBusExportedObject.wrapJSObject(SERVICE_XML,
        {FocusChanged: id => reports.push(id)});
    service.export(bus, '/io/github/corvaline/Control');
    const owner = Gio.bus_own_name_on_connection(bus, 'io.github.corvaline.Control',
        Gio.BusNameOwnerFlags.NONE, null, null);
    return () => {
        Gio.bus_unown_name(owner);
        service.unexport();
        bus.close_sync(null);
    };
}

function waitFor(what, done, seen) {
    const deadline = GLib.get_monotonic_time() + 5000000;
    while (!done()) {
        if (GLib.get_monotonic_time() > deadline)
            throw new Error(`waited 5 s for ${what}; saw ${seen()}`);
        if (!GLib.MainContext.default().iteration(false))
            GLib.usleep(10000);
    }
}

// Whatever the extension sent so far has been through the bus once this returns.
function busRoundTrip() {
    Gio.DBus.session.call_sync('org.freedesktop.DBus', '/org/freedesktop/DBus',
        'org.freedesktop.DBus', 'GetId', null, null, Gio.DBusCallFlags.NONE, -1, null);
}

function check(name, extension, display) {
    const reports = [];
    const seen = () => JSON.stringify(reports);
    const expect = (list, what) => waitFor(`${name}: ${what}`,
        () => JSON.stringify(reports) === JSON.stringify(list), seen);
    display.focus('org.gnome.Nautilus');
    extension.enable();
    busRoundTrip();
    let stop = startProgram(reports);
    expect(['org.gnome.Nautilus'], 'the focused window when the name appears');
    display.focus('steam_app_570');
    expect(['org.gnome.Nautilus', 'steam_app_570'], 'a focus change');
    stop();
    busRoundTrip();
    stop = startProgram(reports);
    expect(['org.gnome.Nautilus', 'steam_app_570', 'steam_app_570'], 'a report after a restart');
    extension.disable();
    stop();
    if (display.handlers.size !== 0)
        throw new Error(`${name}: disable() left ${display.handlers.size} display handlers`);
}

try {
    Gio.Resource.load(shellStub)._register();
    const display = new StubDisplay();
    globalThis.global = {display};
    const module = await import(GLib.filename_to_uri(
        `${folder}/corvaline-focus@corvaline.github.io/extension.js`, null));
    check('current', new module.default({uuid: 'corvaline-focus@corvaline.github.io'}), display);
    imports.searchPath.unshift(`${folder}/legacy-43-44`);
    check('legacy 43-44', imports.extension.init(), display);
    print('both extensions report the focus when the program appears');
} catch (e) {
    printerr(e.message);
    System.exit(1);
}
