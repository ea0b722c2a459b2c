#!/usr/bin/env bash
# Configures and builds Tillora in build/ (preset "default"): everything, or only the targets
# named (scripts/build.sh tillora tillora-cli).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
if [ $# -eq 0 ]; then
    cmake --build --preset default
else
    cmake --build --preset default --target "$@"
fi
