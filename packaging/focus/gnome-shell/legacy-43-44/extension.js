// GNOME Shell 43 and 44 (before ES modules): the same as the current
// extension, FocusChanged(app id) on every focus change and whenever the
// program's name appears on the session bus.
const {Gio, GLib} = imports.gi;

const BUS_NAME = 'io.github.corvaline.Control';
const OBJECT_PATH = '/io/github/corvaline/Control';
const INTERFACE = 'io.github.corvaline.Control';

class CorvalineFocus {
    enable() {
        this._handler = global.display.connect('notify::focus-window', () => this._report());
        // Also called at once when the program already runs.
        this._watch = Gio.bus_watch_name(Gio.BusType.SESSION, BUS_NAME,
            Gio.BusNameWatcherFlags.NONE, () => this._report(), null);
    }

    disable() {
        if (this._watch) {
            Gio.bus_unwatch_name(this._watch);
        }
        if (this._handler) {
            global.display.disconnect(this._handler);
        }
        this._watch = null;
        this._handler = null;
    }

    _report() {
        const window = global.display.focus_window;
        const id = window ? (window.get_wm_class() || '') : '';
        if (id === '') {
            return;
        }
        Gio.DBus.session.call(BUS_NAME, OBJECT_PATH, INTERFACE, 'FocusChanged',
            new GLib.Variant('(s)', [id]), null, Gio.DBusCallFlags.NO_AUTO_START, -1, null, null);
    }
}

function init() {
    return new CorvalineFocus();
}
