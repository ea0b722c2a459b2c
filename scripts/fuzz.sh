#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for SECONDS (default 60) on a copy of its seed
# corpus, FUZZ_JOBS (default 2) at a time, in the build folder FUZZ_BUILD_DIR (default build-fuzz;
# a relative path counts from the repository's folder). A folder that is already configured with
# the fuzz targets, such as build-asan, is built as it is configured. Prints one line per target
# and exits non-zero when a target found a crash or a broken check.
set -uo pipefail

seconds="${1:-60}"
jobs="${FUZZ_JOBS:-2}"
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${FUZZ_BUILD_DIR:-build-fuzz}"
case "$build" in
/*) ;;
*) build="$root/$build" ;;
esac
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: scripts/fuzz.sh [SECONDS]: SECONDS must be a whole number above 0" >&2
    exit 2
fi
if ! [[ "$jobs" =~ ^[1-9][0-9]*$ ]]; then
    echo "FUZZ_JOBS must be a whole number above 0, not '$jobs'" >&2
    exit 2
fi

# The fuzzers need clang and its fuzzer runtime, which the normal build does not.
"$root/scripts/install-deps.sh" sanitizers || exit 2

cache="$build/CMakeCache.txt"
if [ -f "$cache" ] && grep -Eqi '^TILLORA_BUILD_FUZZERS:[A-Z]*=(ON|TRUE|YES|1)$' "$cache"; then
    # Its own settings stay; configuring again only picks up targets added since.
    cmake "$build" >/dev/null || exit 2
elif [ -f "$cache" ]; then
    echo "$build is a build without the fuzz targets; choose another FUZZ_BUILD_DIR" >&2
    exit 2
else
    flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -g -O1"
    CC=clang-14 CXX=clang++-14 cmake -S "$root" -B "$build" -G Ninja \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTILLORA_BUILD_FUZZERS=ON -DTILLORA_BUILD_TESTS=OFF \
        -DTILLORA_BUILD_BENCHMARKS=OFF -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
        >/dev/null || exit 2
fi
targets=($(cd "$root/fuzz/corpus" && ls))
ninja -C "$build" -j2 "${targets[@]/#/fuzz_}" || exit 2

runs="$build/fuzz-runs"
rm -rf "$runs"
mkdir -p "$runs"

run_target() {
    local name="$1" work="$runs/$1"
    mkdir -p "$work/corpus" "$work/findings"
    cp "$root/fuzz/corpus/$name/"* "$work/corpus/" 2>/dev/null
    (cd "$work/findings" &&
        UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
            "$build/bin/fuzz_$name" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
            -print_final_stats=1 -artifact_prefix="$work/findings/" "$work/corpus" \
            >"$work/log" 2>&1)
    echo $? >"$work/rc"
}

# At most FUZZ_JOBS targets at once: the next starts as soon as one ends.
for name in "${targets[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do
        wait -n
    done
    run_target "$name" &
done
wait

status=0
for name in "${targets[@]}"; do
    work="$runs/$name"
    execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$work/log" | grep -o '[0-9]*$')
    rate=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$work/log" | grep -o '[0-9]*$')
    found=$(ls "$work/findings" 2>/dev/null | paste -sd ' ')
    if [ "$(cat "$work/rc")" -ne 0 ] || [ -n "$found" ]; then
        echo "$name: ${execs:-?} executions (${rate:-?}/s), FOUND: ${found:-see $work/log}"
        status=1
    else
        echo "$name: ${execs:-?} executions (${rate:-?}/s), nothing found"
    fi
done
exit $status
