#!/bin/sh
# The GNOME Shell extensions under gjs, the Shell's own JavaScript engine, on
# a session bus of their own. Skipped (77) only where gjs is missing.
#   $1: packaging/focus/gnome-shell
set -eu
command -v gjs >/dev/null 2>&1 || { echo "gjs is not installed"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/stub"
# The Shell's extension base class, as much of it as the extension uses.
cat >"$work/stub/extension.js" <<'JS'
export class Extension { constructor(metadata) { this.metadata = metadata; } }
JS
cat >"$work/stub.xml" <<'XML'
<gresources><gresource prefix="/org/gnome/shell/extensions"><file>extension.js</file></gresource></gresources>
XML
glib-compile-resources --sourcedir="$work/stub" --target="$work/stub.gresource" "$work/stub.xml"
dbus-run-session -- gjs -m "$(dirname "$0")/gnome_extension_test.js" "$1" "$work/stub.gresource"
