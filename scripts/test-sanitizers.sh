#!/usr/bin/env bash
# Builds Tillora with clang, AddressSanitizer and UndefinedBehaviorSanitizer in build-asan/ (preset
# "asan", which also builds the fuzz targets) and runs every test against the sanitized programs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh sanitizers
cmake --preset asan >/dev/null
cmake --build --preset asan -j2
ctest --preset asan -j2 "$@"
