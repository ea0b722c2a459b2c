#!/usr/bin/env bash
# Installs what is missing, builds, and opens Tillora on the example articles with its built-in
# simulated register; where there is no display, runs the command-line tool against it instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# Only what the demo starts: the tests are scripts/test.sh's to build.
targets=(tillora-cli tillora_guide)
configured=$(cmake --preset default)
if [[ "$configured" == *"desktop program is not built"* ]]; then
    echo "Qt 6 was not found: only the command-line tool is built."
else
    targets+=(tillora)
fi
scripts/build.sh "${targets[@]}"
if [ -x build/bin/tillora ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
    echo "Starting the window with the demo register: build/bin/tillora --demo examples/articles.txt"
    exec build/bin/tillora --demo examples/articles.txt
fi
echo "No display here, so the window cannot open; the command-line tool talks to the demo register:"
echo
echo "$ tillora-cli --demo info"
build/bin/tillora-cli --demo info
echo
echo "$ tillora-cli --demo send articles examples/articles.txt --columns price"
build/bin/tillora-cli --demo --gap 0 send articles examples/articles.txt --columns price
