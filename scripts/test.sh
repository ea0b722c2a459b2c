#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (labels: unit, e2e).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
ctest --preset default -j2 "$@"
