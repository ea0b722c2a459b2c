#!/usr/bin/env bash
# Configures and builds Tillora in build/ (preset "default").
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build --preset default
