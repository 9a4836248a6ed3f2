#!/usr/bin/env bash
# Runs one command on a virtual X server of its own, with Qt drawing through X (the xcb
# platform): tools/on_x_server.sh COMMAND [ARG...]. The server picks a free display number
# itself, so several commands can run at once. Exits 77 (a skipped test) when no X server can be
# started here.
set -uo pipefail
if ! command -v Xvfb >/dev/null 2>&1; then
    echo "Xvfb is not installed" >&2
    exit 77
fi
numbers=$(mktemp -u)
mkfifo "$numbers"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numbers" 2>/dev/null &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -f "$numbers"' EXIT
display=""
read -r -t 20 display <"$numbers"
if [ -z "$display" ]; then
    echo "the X server did not start" >&2
    exit 77
fi
DISPLAY=":$display" QT_QPA_PLATFORM=xcb "$@"
