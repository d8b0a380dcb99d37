// CORVALINE Control: tells the program which application has the focus, so
// the mouse can follow it with the profile of its rule. Loaded by the
// program through org.kde.KWin /Scripting and unloaded when it ends.
// Plasma 6 names it windowActivated, Plasma 5 clientActivated; the window's
// resourceClass is the X11 WM_CLASS class or the Wayland app_id.
function corvalineReport(window) {
    if (!window) {
        return;
    }
    var id = String(window.resourceClass || "");
    if (id === "") {
        return;
    }
    callDBus("io.github.corvaline.Control", "/io/github/corvaline/Control",
             "io.github.corvaline.Control", "FocusChanged", id);
}

if (workspace.windowActivated) {
    workspace.windowActivated.connect(corvalineReport);
} else {
    workspace.clientActivated.connect(corvalineReport);
}
corvalineReport(workspace.activeWindow || workspace.activeClient);
