#!/usr/bin/env bash
# Starts Tillora on a virtual display with the accessibility bus and reads its window through
# AT-SPI, as a screen reader on a Linux desktop would (scripts/screen-reader.py). Needs the
# normal build (scripts/build.sh). Prints what was read; exits non-zero when it was not the table.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" != "--inside" ]; then
    scripts/install-deps.sh accessibility
    # The bus and the display live only as long as this run; the script goes on inside them.
    exec dbus-run-session -- xvfb-run -a -s "-screen 0 1280x800x24" "$0" --inside "${1:-examples/articles.txt}"
fi
table=$2

read_window() {
    /usr/libexec/at-spi-bus-launcher --launch-immediately &
    local bus=$!
    local config
    config=$(mktemp -d)
    # A settings folder of its own: no recent files or window state of the user's.
    XDG_CONFIG_HOME=$config QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 \
        build/bin/tillora "$table" &
    local window=$!
    local status=0
    # The system Python: pyatspi comes as a Debian package, not from a Python of its own.
    /usr/bin/python3 scripts/screen-reader.py "$table" || status=$?
    kill "$window" "$bus" 2>/dev/null || true
    wait "$window" 2>/dev/null || true
    rm -rf "$config"
    return $status
}
read_window
