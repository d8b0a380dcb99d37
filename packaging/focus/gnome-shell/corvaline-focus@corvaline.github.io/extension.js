// Tells CORVALINE Control which application has the focus: on every focus
// change, and whenever the program's name appears on the session bus (a
// program started after the Shell, or restarted, learns the focus at once),
// FocusChanged(app id) on its service. Mutter gives Wayland windows their
// app_id as WM class.
import Gio from 'gi://Gio';
import GLib from 'gi://GLib';
import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';

const BUS_NAME = 'io.github.corvaline.Control';
const OBJECT_PATH = '/io/github/corvaline/Control';
const INTERFACE = 'io.github.corvaline.Control';

export default class CorvalineFocus extends Extension {
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
        // Not started on demand: without the program running, nothing listens.
        Gio.DBus.session.call(BUS_NAME, OBJECT_PATH, INTERFACE, 'FocusChanged',
            new GLib.Variant('(s)', [id]), null, Gio.DBusCallFlags.NO_AUTO_START, -1, null, null);
    }
}
