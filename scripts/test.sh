#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the normal build's (labels unit, e2e),
# then the same tests built with AddressSanitizer and UBSan, then each fuzz target for
# FUZZ_SECONDS (default 60), then the Windows build's tests under Wine. With --quick, only the
# normal build's tests.
set -euo pipefail
cd "$(dirname "$0")/.."
quick=false
if [ "${1:-}" = "--quick" ]; then
    quick=true
fi
scripts/install-deps.sh
scripts/build.sh
ctest --preset default -j2
if $quick; then
    exit 0
fi
scripts/test-sanitizers.sh
FUZZ_BUILD_DIR=build-asan scripts/fuzz.sh "${FUZZ_SECONDS:-60}"
scripts/test-windows.sh
