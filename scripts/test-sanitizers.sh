#!/usr/bin/env bash
# Builds Tillora with AddressSanitizer and UndefinedBehaviorSanitizer in build-asan/ (preset "asan")
# and runs every test against the sanitized programs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset asan >/dev/null
cmake --build --preset asan -j2
ctest --preset asan -j2 "$@"
