"""Walks the program's accessible tree over AT-SPI and, with --edit, makes a
whole edit by accessible actions only. Prints the tree; exits non-zero on
the first check that fails."""
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import Atspi

# AT-SPI gives up on a call after 0.8 s by default; a loaded machine (a
# parallel build, two GUI tests) answers later than that without anything
# being wrong, so calls get 20 s and a program starting up 30 s.
Atspi.set_timeout(20000, 30000)

LANG = sys.argv[1]
EDIT = "--edit" in sys.argv
KEYS = "--keys" in sys.argv

EXPECTED = {
    "EN": [("radio button", "125"), ("radio button", "250"), ("radio button", "1000"),
           ("push button", "OK"), ("push button", "Apply"), ("push button", "Cancel"),
           ("push button", "Mode A"), ("push button", "Mode B"), ("push button", "Default"),
           ("combo box", "1 Left Click"), ("combo box", "2 Right Click"),
           ("check box", "DPI stage 1"), ("slider", "DPI stage 4 level"),
           ("push button", "DPI stage 1 colour"), ("page tab", "Basic Settings"),
           ("page tab", "Advanced Settings"), ("push button", "Minimise"),
           ("push button", "Close"), ("push button", "Skins"), ("combo box", "Mode")],
    "CHS": [("push button", "确定"), ("push button", "应用"), ("push button", "取消"),
            ("push button", "按键恢复"), ("combo box", "1 左键"), ("check box", "DPI档位1"),
            ("slider", "DPI档位2级别"), ("page tab", "基本设置"), ("push button", "最小化"),
            ("push button", "皮肤"), ("radio button", "500"), ("push button", "模式A")],
}


def fail(message):
    print("FAIL:", message)
    a = app()
    if a is not None:
        for w in children(a):
            dump(w)
    sys.exit(1)


def wait_for(what, probe, seconds=15.0):
    end = time.time() + seconds
    while time.time() < end:
        found = probe()
        if found:
            return found
        time.sleep(0.2)
    fail("timed out waiting for " + what)


CONFIG_BIN = os.path.join(os.environ.get("XDG_CONFIG_HOME", ""), "corvaline", "config.bin")


def saved_at():
    try:
        return os.stat(CONFIG_BIN).st_mtime_ns
    except OSError:
        return None


def apply_and_wait(press):
    """Apply ends with config.bin saved: what follows (and the checks of the
    file after the run) must not come before that."""
    before = saved_at()
    press()
    wait_for("Apply to save %s (last saved at %s ns)" % (CONFIG_BIN, before),
             lambda: saved_at() != before, seconds=30.0)


def active_dialog(what):
    """The sub-dialog, once it is active: keys and actions go to it then."""
    dialog = dialog_of(what)
    wait_for(what + " to be active", lambda: dialog.getState().contains(pyatspi.STATE_ACTIVE))
    return dialog


def app():
    desktop = pyatspi.Registry.getDesktop(0)
    for a in desktop:
        if a is not None and a.name == "corvaline":
            return a
    return None


def children(node):
    try:
        return [c for c in node if c is not None]
    except Exception:
        return []


def walk(node, depth=0, out=None):
    if out is None:
        out = []
    out.append((depth, node))
    for c in children(node):
        walk(c, depth + 1, out)
    return out


WINDOW_NAMES = ("CORVALINE Control", "CORVALINE 控制程序")


def named(node, name):
    """The name, or the name with the value it carries ("Mode, Respiration")."""
    return node.name == name or node.name.startswith((name + ", ", name + "，"))


def find(root, role, name):
    for _, node in walk(root):
        if node.getRoleName() == role and named(node, name):
            return node
    return None


def find_start(root, role, prefix):
    for _, node in walk(root):
        if node.getRoleName() == role and node.name.startswith(prefix):
            return node
    return None


def checked(node):
    return node.getState().contains(pyatspi.STATE_CHECKED)


def act(node, action=0):
    node.queryAction().doAction(action)


def main_window(a):
    for w in children(a):
        if w.name in WINDOW_NAMES and w.getRoleName() != "dialog":
            return w
    return None


def dump(root):
    for depth, node in walk(root):
        value = ""
        try:
            value = " = %g" % node.queryValue().currentValue
        except NotImplementedError:
            pass
        states = []
        s = node.getState()
        for st, word in ((pyatspi.STATE_CHECKED, "checked"), (pyatspi.STATE_SELECTED, "selected")):
            if s.contains(st):
                states.append(word)
        if not s.contains(pyatspi.STATE_SENSITIVE):
            states.append("disabled")
        print("  " * depth + "%s '%s'%s %s" % (node.getRoleName(), node.name, value, " ".join(states)))


def key(name):
    subprocess.run(["xdotool", "key", name], check=True)
    time.sleep(0.15)


def focused(root):
    for _, node in walk(root):
        if node.getState().contains(pyatspi.STATE_FOCUSED) and node.getRoleName() not in ("frame", "dialog"):
            return node
    return None


def tab_to(root, role, name):
    """Tab until the focus mark is on the control; the mark must get there."""
    for _ in range(60):
        key("Tab")
        node = focused(root)
        if node is not None and node.getRoleName() == role and named(node, name):
            return node
    fail("Tab never reached %s %r" % (role, name))


def arrow_to(root, arrow, name):
    """Arrow keys until the list item is selected."""
    for _ in range(20):
        if find(root, "list item", name).getState().contains(pyatspi.STATE_SELECTED):
            return
        key(arrow)
    fail("the arrows never reached %r" % name)


def choose_by_keys(root, combo_role, combo_name, item, what):
    """Tab to the control, Space opens its list, the arrows reach the entry
    and Space chooses it."""
    tab_to(root, combo_role, combo_name)
    key("space")
    wait_for(what, lambda: find(root, "list item", item))
    key("Down")
    arrow_to(root, "Down", item)
    key("space")


def dialog_of(what):
    return wait_for(what, lambda: next((w for w in children(app()) if w.getRoleName() == "dialog"), None))


def keyboard_edit(win):
    wid = subprocess.run(["xdotool", "search", "--name", "CORVALINEX01"], capture_output=True,
                         text=True).stdout.split()
    subprocess.run(["xdotool", "windowfocus", "--sync", wid[0]], check=False)
    tab_to(win, "radio button", "1000")
    key("Left")
    key("Left")
    wait_for("250 checked", lambda: checked(find(win, "radio button", "250")))
    key("shift+Tab")
    if focused(win).name != "125":
        fail("Shift+Tab did not go back to 125")
    choose_by_keys(win, "combo box", "3 Mid Click", "Multimedia", "the function menu")
    dialog = active_dialog("the multimedia dialog")
    choose_by_keys(dialog, "combo box", "Multimedia", "Mute", "the multimedia list")
    wait_for("the list closed", lambda: find(dialog, "list item", "Mute") is None)
    tab_to(dialog, "push button", "OK")
    key("space")
    wait_for("box 3 says Mute", lambda: find(win, "combo box", "3 Multimedia-Mute"))
    # Button 4: a fire key 3 times, typed into the dialog's field.
    choose_by_keys(win, "combo box", "4 Forward", "Fire Key", "the function menu")
    dialog = active_dialog("the Fire Key dialog")
    tab_to(dialog, "text", "Times")
    key("ctrl+a")
    key("3")
    tab_to(dialog, "push button", "OK")
    key("space")
    wait_for("box 4 a fire key", lambda: find_start(win, "combo box", "4 Fire Key"))
    tab_to(win, "check box", "DPI stage 2")
    key("space")
    wait_for("stage 2 off", lambda: not checked(find(win, "check box", "DPI stage 2")))
    tab_to(win, "slider", "DPI stage 1 level")
    key("Up")
    wait_for("stage 1 at level 3",
             lambda: find(win, "slider", "DPI stage 1 level").queryValue().currentValue == 3)
    tab_to(win, "push button", "Apply")
    apply_and_wait(lambda: key("space"))



def expect(root, where, pairs):
    for role, name in pairs:
        if find(root, role, name) is None:
            fail("no %s named %r in %s" % (role, name, where))


def sensitive(node):
    return node.getState().contains(pyatspi.STATE_SENSITIVE)


# Names of the dialogs' controls and the macro editor's lists, per language.
DIALOGS = {
    "EN": {"skins": [("combo box", "Skin"), ("push button", "Text colour"), ("push button", "Cancel")],
           "lists": [("list", "Select Macro"), ("list", "Key Press Sequence")],
           "edits": [("text", "Macro Name"), ("text", "Loop Times")]},
    "CHS": {"skins": [("combo box", "皮肤"), ("push button", "文字颜色"), ("push button", "取消")],
            "lists": [("list", "选择宏"), ("list", "按键序列")],
            "edits": [("text", "宏名称"), ("text", "循环次数")]},
}


HEARD = []
KINDS = ("object:state-changed:checked", "object:state-changed:selected", "object:property-change:accessible-value",
         "object:property-change:accessible-name", "object:property-change:accessible-description", "focus:")


def hear(event):
    try:
        HEARD.append((event.type, event.source.name, event.detail1))
    except Exception:
        pass


def listen():
    """From here on the change events queue up until heard() reads them."""
    for kind in KINDS:
        pyatspi.Registry.registerEventListener(hear, kind)


def heard(expected, seconds=15):
    """Reads the queued events until each (type, name prefix, detail or
    None) came; fails naming those that did not."""
    from gi.repository import GLib

    def missing():
        return [e for e in expected if not any(
            t.startswith(e[0]) and n.startswith(e[1]) and e[2] in (None, d) for t, n, d in HEARD)]

    def check():
        if not missing():
            pyatspi.Registry.stop()
            return False
        return True

    GLib.timeout_add(100, check)
    GLib.timeout_add(seconds * 1000, lambda: pyatspi.Registry.stop() or False)
    pyatspi.Registry.start()
    if missing():
        fail("waited %d s for the events %s; heard %s" % (seconds, missing(), HEARD[-12:]))


def children_changed(action):
    """The children-changed events a screen reader gets while `action` runs."""
    from gi.repository import GLib
    seen = []

    def on(event):
        seen.append(event.type)

    def run():
        action()
        GLib.timeout_add(1500, pyatspi.Registry.stop)
        return False

    pyatspi.Registry.registerEventListener(on, "object:children-changed")
    GLib.timeout_add(500, run)  # the program hears of the listener first
    pyatspi.Registry.start()
    pyatspi.Registry.deregisterEventListener(on, "object:children-changed")
    return seen


TAB_STOP_ROLES = ("push button", "radio button", "check box", "slider", "combo box", "page tab", "link",
                  "text", "list")


def every_stop_named(win, where):
    """Each control a Tab can reach says what it is: a name and a role."""
    expect(win, where, DIALOGS[LANG]["edits"])
    for _, node in walk(win):
        if node.getRoleName() in TAB_STOP_ROLES and not node.name.strip():
            fail("a %s without a name in %s" % (node.getRoleName(), where))


def no_dialog_left(what):
    """A closed dialog leaves nothing behind: the program shows its main
    window only."""
    wait_for("nothing but the main window after " + what,
             lambda: [w.getRoleName() for w in children(app())] == ["frame"])


def fire_key_edit(win):
    """Button 4 a fire key "B" repeated 3 times, through the dialog's list and field."""
    act(find_start(win, "combo box", "4 "))
    act(wait_for("the function menu", lambda: find(win, "list item", "Fire Key")))
    dialog = dialog_of("the Fire Key dialog")
    dump(dialog)
    expect(dialog, "the Fire Key dialog", [("combo box", "Key"), ("text", "Speed"), ("text", "Times")])
    act(find(dialog, "combo box", "Key"))
    act(wait_for("the key list", lambda: find(dialog, "list item", "B")))
    wait_for("B chosen", lambda: find(dialog, "list item", "B") is None)
    find(dialog, "text", "Times").queryEditableText().setTextContents("3")
    act(find(dialog, "push button", "OK"))
    wait_for("box 4 a fire key", lambda: find_start(win, "combo box", "4 Fire Key"))


def skins_dialog(win, choose):
    """The Skins dialog's names; with `choose`, the skin Frost through its list and OK."""
    act(find(win, "push button", DIALOGS_SKINS_BUTTON[LANG]))
    dialog = dialog_of("the Skins dialog")
    names = DIALOGS[LANG]["skins"]
    expect(dialog, "the Skins dialog", names)
    if not choose:
        act(find(dialog, "push button", names[2][1]))
        no_dialog_left("the Skins dialog's Cancel")
        return
    act(find(dialog, "combo box", "Skin"))
    act(wait_for("the skins list", lambda: find(dialog, "list item", "Frost")))
    wait_for("Frost chosen", lambda: find(dialog, "list item", "Frost") is None)
    dump(dialog)
    act(find(dialog, "push button", "OK"))
    no_dialog_left("the Skins dialog's OK")


DIALOGS_SKINS_BUTTON = {"EN": "Skins", "CHS": "皮肤"}


def delay_edit(win):
    """A new macro named by text, a mouse event inserted, its delay set to 500 ms in the
    Delay Time dialog that the entry's "activate" opens."""
    find(win, "text", "Macro Name").queryEditableText().setTextContents("m1")
    act(find(win, "push button", "New"))
    act(wait_for("the new macro", lambda: find(win, "list item", "m1")))
    act(find(win, "combo box", "Insert A Mouse Event"))
    act(wait_for("the mouse events", lambda: find(win, "list item", "L-Button Click")))
    act(wait_for("the delay step", lambda: find(win, "list item", "50 ms")), 1)
    dialog = dialog_of("the Delay Time dialog")
    find(dialog, "text", "Please enter a delay").queryEditableText().setTextContents("500")
    act(find(dialog, "push button", "OK"))
    wait_for("the delay of 500 ms", lambda: find(win, "list item", "500 ms"))
    no_dialog_left("the Delay Time dialog's OK")

a = wait_for("the program on the bus", app, 30)
win = wait_for("the main window", lambda: main_window(app()))
wait_for("the Basic page", lambda: find(win, "radio button", "125"))
dump(win)
for role, name in EXPECTED[LANG]:
    if find(win, role, name) is None:
        fail("no %s named %r" % (role, name))

if not EDIT and not KEYS:
    skins_dialog(win, False)
    # The page change tells a screen reader to read the window anew.
    if not any("add" in t for t in children_changed(lambda: act(find(win, "page tab", "高级设置")))):
        fail("no children-changed event for the page change")
    wait_for("the Advanced page", lambda: find(win, "list", DIALOGS[LANG]["lists"][0][1]))
    expect(win, "the Advanced page", DIALOGS[LANG]["lists"])
    every_stop_named(win, "the Advanced page")

if EDIT:
    listen()
    # Report rate 250.
    act(find(win, "radio button", "250"))
    wait_for("250 checked", lambda: checked(find(win, "radio button", "250")))
    # Button 3: Multimedia through its menu, "Mute" in the sub-dialog.
    act(find_start(win, "combo box", "3 "))
    entry = wait_for("the function menu", lambda: find(win, "list item", "Multimedia"))
    act(entry)
    dialog = dialog_of("the multimedia dialog")
    dump(dialog)
    if dialog.name != "Multimedia":
        fail("the dialog is named %r" % dialog.name)
    act(find(dialog, "combo box", "Multimedia"))
    act(wait_for("the multimedia list", lambda: find(dialog, "list item", "Mute")))
    wait_for("the list closed", lambda: find(dialog, "list item", "Mute") is None)
    act(find(dialog, "push button", "OK"))
    wait_for("box 3 says Mute", lambda: find(win, "combo box", "3 Multimedia-Mute"))
    # DPI stage 2 off, stage 1 at level 3.
    act(find(win, "check box", "DPI stage 2"))
    wait_for("stage 2 off", lambda: not checked(find(win, "check box", "DPI stage 2")))
    find(win, "slider", "DPI stage 1 level").queryValue().currentValue = 3
    wait_for("stage 1 at level 3",
             lambda: find(win, "slider", "DPI stage 1 level").queryValue().currentValue == 3)
    fire_key_edit(win)
    apply_and_wait(lambda: act(find(win, "push button", "Apply")))
    skins_dialog(win, True)
    # The Advanced page's controls replace the Basic page's.
    act(find(win, "page tab", "Advanced Settings"))
    wait_for("the Advanced page", lambda: find(win, "push button", "New"))
    # Each change was told once, as Qt's own widgets tell theirs.
    heard([("object:state-changed:checked", "250", 1), ("object:state-changed:checked", "DPI stage 2", 0),
           ("object:property-change:accessible-value", "DPI stage 1 level", None),
           ("focus:", "3 Key Setting", None), ("object:property-change:accessible-name", "3 Multimedia-Mute", None),
           ("object:property-change:accessible-description", "Apply", None),
           ("object:state-changed:selected", "Advanced Settings", 1)])
    once = [e for e in HEARD if e == ("object:state-changed:checked", "250", 1)]
    if len(once) != 1:
        fail("the 250 stop was told checked %d times" % len(once))
    dump(win)
    for role, name in (("slider", "Mouse Speed"), ("check box", "Enhance Pointer Precision"),
                       ("push button", "Start Recording"), ("push button", "Confirm")):
        if find(win, role, name) is None:
            fail("no %s named %r on the Advanced page" % (role, name))
    if find(win, "radio button", "250") is not None:
        fail("the Basic page's controls stay on the Advanced page")
    expect(win, "the Advanced page", DIALOGS[LANG]["lists"])
    every_stop_named(win, "the Advanced page")
    # X11 without a desktop's settings cannot set the double-click time but
    # can set the precision; a wlroots session without one can set neither
    # (A11Y_PRECISION=disabled).
    if sensitive(find(win, "slider", "Double-Click Speed")):
        fail("the double-click slider is not marked disabled")
    precision = os.environ.get("A11Y_PRECISION", "enabled") == "enabled"
    if sensitive(find(win, "check box", "Enhance Pointer Precision")) != precision:
        fail("the precision box is not marked %s" % ("enabled" if precision else "disabled"))
    delay_edit(win)
if KEYS:
    keyboard_edit(win)
print("PASS")
