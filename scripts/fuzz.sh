#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for SECONDS (default 60), two at a time, on a
# copy of its seed corpus. Exits non-zero when a target found a crash or a broken check.
set -uo pipefail

seconds="${1:-60}"
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-fuzz"
# The fuzzers need clang and its fuzzer runtime, which the normal build does not.
"$root/scripts/install-deps.sh"
if ! dpkg -s clang-14 libclang-rt-14-dev >/dev/null 2>&1; then
    sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq \
        --no-install-recommends clang-14 libclang-rt-14-dev
fi
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -g -O1"

CC=clang-14 CXX=clang++-14 cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTILLORA_BUILD_FUZZERS=ON -DTILLORA_BUILD_TESTS=OFF -DTILLORA_BUILD_BENCHMARKS=OFF \
    -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" >/dev/null || exit 2
ninja -C "$build" $(cd "$root/fuzz/corpus" && ls | sed 's/^/fuzz_/') || exit 2

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

targets=($(cd "$root/fuzz/corpus" && ls))
i=0
while [ $i -lt ${#targets[@]} ]; do
    run_target "${targets[$i]}" &
    if [ $((i + 1)) -lt ${#targets[@]} ]; then
        run_target "${targets[$((i + 1))]}" &
    fi
    wait
    i=$((i + 2))
done

status=0
for name in "${targets[@]}"; do
    work="$runs/$name"
    execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$work/log" | grep -o '[0-9]*$')
    rate=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$work/log" | grep -o '[0-9]*$')
    found=$(ls "$work/findings" 2>/dev/null)
    if [ "$(cat "$work/rc")" -ne 0 ] || [ -n "$found" ]; then
        echo "$name: ${execs:-?} executions (${rate:-?}/s), FOUND: ${found:-see $work/log}"
        status=1
    else
        echo "$name: ${execs:-?} executions (${rate:-?}/s), nothing found"
    fi
done
exit $status
