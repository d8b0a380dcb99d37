#!/usr/bin/env bash
# Renders each manual page (FOLDER/*.1 or *.1.gz, or the pages named) as a
# reader's 80-column terminal shows it; fails on a warning of the formatter or
# a line past 80 columns, naming the page. Exits 77 (skipped) without man.
set -euo pipefail
export LC_ALL=C.UTF-8 MANWIDTH=80
command -v man >/dev/null || { echo "man-pages: no man here" >&2; exit 77; }
pages=("$@")
if [ $# -eq 1 ] && [ -d "$1" ]; then
  shopt -s nullglob
  pages=("$1"/*.1 "$1"/*.1.gz)
fi
[ ${#pages[@]} -gt 0 ] || { echo "man-pages: no pages in $*" >&2; exit 1; }
rendered=$(mktemp)
trap 'rm -f "$rendered"' EXIT
status=0
for page in "${pages[@]}"; do
  if ! warnings=$(man --warnings -l "$page" 2>&1 >"$rendered"); then
    echo "man-pages: man cannot render $page" >&2; status=1; continue
  fi
  [ -s "$rendered" ] || { echo "man-pages: $page renders empty" >&2; status=1; }
  [ -z "$warnings" ] || { echo "man-pages: $(basename "$page") at 80 columns: $warnings" >&2; status=1; }
  width=$(wc -L <"$rendered")
  [ "$width" -le 80 ] || { echo "man-pages: $(basename "$page") runs to $width columns" >&2; status=1; }
done
[ $status -ne 0 ] || echo "man-pages: ${#pages[@]} pages render at 80 columns without warnings"
exit $status
