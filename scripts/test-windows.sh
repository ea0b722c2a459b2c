#!/usr/bin/env bash
# The Windows build, tested on Linux: builds the core, tillora-cli and the unit tests with MinGW-w64
# (preset "mingw", in build-mingw/), runs every unit test under Wine, then runs the Windows
# tillora-cli.exe through a Wine COM port against the Linux tillora-ecr-sim on a pseudo-terminal.
# The same commands run with the Linux tillora-cli against a register of its own; the registers
# must have received the same frames and tables, and the report files must be the same bytes.
# Needs the Linux build in build/ (scripts/build.sh) for the register and the comparison.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
started=$SECONDS

scripts/install-deps.sh mingw
configure=(--preset mingw)
if command -v ccache >/dev/null; then
    configure+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR=$root # a fresh clone elsewhere still finds the objects built before
fi
cmake "${configure[@]}" >/dev/null
cmake --build --preset mingw
cmake --build build -j2 --target tillora-cli tillora-ecr-sim
built=$SECONDS

wine=wine
[ -x /usr/lib/wine/wine64 ] && wine=/usr/lib/wine/wine64
export WINEPREFIX=$root/build-mingw/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine turns the Linux command line into the Windows one by the locale's character set: UTF-8,
# so that the Bulgarian file names below reach the program as they are.
export LC_ALL=C.UTF-8
unset DISPLAY # nothing here opens a window; Wine must not wait for one

work=$(mktemp -d)
sim_pids=()
cleanup() {
    for pid in "${sim_pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wineserver -k 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# One wineserver for the whole stage: without it each program pays Wine's start-up again.
start_wineserver() {
    mkdir -p "$WINEPREFIX"
    wineserver -p || true # one already running for this prefix serves as well
    "$wine" cmd /c exit >/dev/null 2>&1 || true # makes the prefix on the first run
}
start_wineserver

# ---- Unit tests ------------------------------------------------------------------------------
results=$work/unit
mkdir -p "$results"
unit_status=0
# GoogleTest inside Wine writes its reports by the Windows name of the folder.
GTEST_OUTPUT="xml:$(winepath -w "$results/")" ctest --preset mingw || unit_status=$?
cases=$(cat "$results"/*.xml | grep -c '<testcase ' || true)
skipped=$(cat "$results"/*.xml | grep -c 'result="skipped"' || true)
failed=$(cat "$results"/*.xml | grep -c '<failure' || true)
passed=$((cases - skipped - failed))
echo "Unit test cases under Wine: $passed passed, $failed failed, $skipped skipped"
tested=$SECONDS
[ "$unit_status" -eq 0 ] || exit "$unit_status"

# ---- End to end: the Windows program against the register on a pseudo-terminal ---------------
# Starts a register for one side in its folder; pty is the pseudo-terminal it answers on.
start_register() {
    local side=$1
    mkdir -p "$work/$side/received"
    build/bin/tillora-ecr-sim --model 0 --serial 123 --log "$work/$side/frames.log" \
        --logo-file "$work/$side/logo-received.bmp" --save-dir "$work/$side/received" \
        >"$work/$side/sim.out" &
    sim_pids+=($!)
    for _ in $(seq 100); do
        [ -s "$work/$side/sim.out" ] && break
        sleep 0.1
    done
    pty=$(head -n 1 "$work/$side/sim.out")
}

# The files of a run, under Bulgarian names, in the run's folder.
prepare_files() {
    local dir=$1
    cp examples/articles.txt "$dir/артикули.txt"
    cp examples/operators.txt "$dir/оператори.txt"
    cp examples/subgroups.txt "$dir/подгрупи.txt"
    cp examples/company.txt "$dir/фирма.txt"
    cp src/res/EcrLogo/VexoLogo.bmp "$dir/лого.bmp"
}

# Every register operation, with the program given as arguments. The articles go by their full
# path, which begins with "/" on the Linux side and names the same file under Wine.
run_operations() {
    local dir=$1
    shift
    (
        cd "$dir"
        "$@" info >info.out
        "$@" send articles "$dir/артикули.txt" >send-articles.out
        "$@" send operators оператори.txt >send-operators.out
        "$@" send subgroups подгрупи.txt >send-subgroups.out
        "$@" send company фирма.txt >send-company.out
        "$@" report --articles отчет-артикули.txt --subgroups отчет-подгрупи.txt >report.out
        "$@" report >report-stdout.out
        "$@" logo лого.bmp >logo.out
    )
}

common=(--ini settings.ini --model 0 --serial 123 --gap 0 --yes --quiet)

start_register linux
prepare_files "$work/linux"
run_operations "$work/linux" "$root/build/bin/tillora-cli" --port "$pty" "${common[@]}"

# Wine opens COM1 on the device its registry names; the mapping is read when Wine starts.
start_register windows
prepare_files "$work/windows"
"$wine" reg add 'HKLM\Software\Wine\Ports' /v COM1 /t REG_SZ /d "$pty" /f >/dev/null
wineserver -k
wineserver -w
start_wineserver
run_operations "$work/windows" "$wine" "$root/build-mingw/bin/tillora-cli.exe" --com 1 "${common[@]}"
# The registers keep their tables and log until they are stopped.
for pid in "${sim_pids[@]}"; do
    kill -INT "$pid"
    wait "$pid" || true
done
sim_pids=()

compared=0
same() {
    if ! cmp -s "$1" "$2"; then
        echo "differs: ${1#"$work"/} and ${2#"$work"/}"
        diff <(od -c "$1") <(od -c "$2") | head -n 20 || true
        exit 1
    fi
    compared=$((compared + 1))
}
for file in frames.log info.out отчет-артикули.txt отчет-подгрупи.txt report-stdout.out \
    logo-received.bmp received/articles.txt received/operators.txt received/subgroups.txt \
    received/company.txt; do
    same "$work/linux/$file" "$work/windows/$file"
done
same "$work/windows/лого.bmp" "$work/windows/logo-received.bmp"
# The register holds every row that was sent, in its own form (upper case, twelve-digit barcodes);
# that form is checked against the sent records by the Linux end-to-end tests.
for table in articles:артикули operators:оператори subgroups:подгрупи company:фирма; do
    kind=${table%%:*}
    build/bin/tillora-cli --quiet load "$kind" "$work/windows/${table#*:}.txt" >"$work/$kind-sent.txt"
    sent_rows=$(wc -l <"$work/$kind-sent.txt")
    held_rows=$(wc -l <"$work/windows/received/$kind.txt")
    if [ "$sent_rows" -eq 0 ] || [ "$sent_rows" -ne "$held_rows" ]; then
        echo "$kind: $sent_rows rows sent, $held_rows held by the register"
        exit 1
    fi
done
grep -q '^000123$' "$work/windows/info.out"
echo "Windows tillora-cli against the register: $compared files the same as the Linux run's"
echo "Windows stage: build $((built - started)) s, unit tests $((tested - built)) s," \
    "end to end $((SECONDS - tested)) s, in all $((SECONDS - started)) s"
echo "Windows: $passed passed, $failed failed, $skipped skipped"
