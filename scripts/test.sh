#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the normal build's (labels unit, e2e),
# then the window read through AT-SPI as a screen reader reads it, then the same tests built with
# AddressSanitizer and UBSan, then each fuzz target for
# FUZZ_SECONDS (default 30: a regression run over the seed corpus on every change; longer runs are
# scripts/fuzz.sh's own), then the Windows build's tests under Wine. With --quick, only the normal
# build's tests. Each stage prints how long it took, so a slow stage shows in the CI log.
set -euo pipefail
cd "$(dirname "$0")/.."
quick=false
if [ "${1:-}" = "--quick" ]; then
    quick=true
fi

stage() {
    local name="$1" start=$SECONDS
    shift
    "$@"
    echo "== $name: $((SECONDS - start)) s"
}

stage "dependencies" scripts/install-deps.sh
stage "normal build" scripts/build.sh
stage "normal tests" ctest --preset default -j2
if $quick; then
    exit 0
fi
stage "screen reader" scripts/test-screen-reader.sh
stage "sanitized build and tests" scripts/test-sanitizers.sh
stage "fuzzing" env FUZZ_BUILD_DIR=build-asan scripts/fuzz.sh "${FUZZ_SECONDS:-30}"
stage "Windows" scripts/test-windows.sh
echo "== all stages: $SECONDS s"
