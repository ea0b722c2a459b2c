#!/usr/bin/env bash
# The Windows build, tested on Linux: builds the core, tillora-cli, the window (where Qt for MinGW
# is found, see cmake/mingw-w64-x86_64.cmake) and their tests with MinGW-w64 (preset "mingw", in
# build-mingw/), runs every unit and window test under Wine, then:
# - runs the Windows tillora-cli.exe through a Wine COM port against the Linux tillora-ecr-sim on a
#   pseudo-terminal, and the Linux tillora-cli against a register of its own;
# - runs the Windows tillora.exe on a virtual display the same way, worked by the hidden test
#   option --test-steps, and the Linux window with the same steps;
# the registers must have received the same frames and tables, and the report files must be the
# same bytes. Last it makes the installer, installs it silently under Wine, starts the installed
# program and uninstalls it. Needs the Linux build in build/ (scripts/build.sh).
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
window=no
# The build files name the window when Qt for MinGW was found (a program left from an earlier
# build does not count).
if grep -q '^build bin/tillora\.exe' build-mingw/build.ninja; then
    window=yes
    cmake --build build -j2 --target tillora-cli tillora-ecr-sim tillora
else
    echo "Windows window: SKIPPED, no Qt for MinGW found (set QT_MINGW_DIR, or make one with" \
        "scripts/build-qt-mingw.sh); the core and tillora-cli are built and tested"
    cmake --build build -j2 --target tillora-cli tillora-ecr-sim
fi
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
    # One already running for this prefix serves as well. What it writes when it is stopped (a
    # list of its objects) is no news.
    wineserver -p 2>/dev/null || true
    "$wine" cmd /c exit >/dev/null 2>&1 || true # makes the prefix on the first run
}
start_wineserver

# ---- Unit tests and window tests --------------------------------------------------------------
results=$work/unit
mkdir -p "$results"
unit_status=0
# GoogleTest inside Wine writes its reports by the Windows name of the folder.
GTEST_OUTPUT="xml:$(winepath -w "$results/")" ctest --preset mingw -LE gui || unit_status=$?
cases=$(cat "$results"/*.xml | grep -c '<testcase ' || true)
skipped=$(cat "$results"/*.xml | grep -c 'result="skipped"' || true)
failed=$(cat "$results"/*.xml | grep -c '<failure' || true)
passed=$((cases - skipped - failed))
echo "Unit test cases under Wine: $passed passed, $failed failed, $skipped skipped"
[ "$unit_status" -eq 0 ] || exit "$unit_status"
if [ $window = yes ]; then
    # Qt Test sums up each program as "Totals: 5 passed, 0 failed, 1 skipped, ...".
    gui_status=0
    ctest --preset mingw -L gui -V >"$work/gui.log" 2>&1 || gui_status=$?
    grep -E '^[0-9]+: (FAIL!|SKIP) ' "$work/gui.log" || true
    sum() { grep 'Totals:' "$work/gui.log" | grep -oE "[0-9]+ $1" | awk '{ n += $1 } END { print n + 0 }'; }
    window_tests="$(sum passed) passed, $(sum failed) failed, $(sum skipped) skipped"
    echo "Window test cases under Wine: $window_tests, in $(grep -c 'Totals:' "$work/gui.log") programs"
    if [ "$gui_status" -ne 0 ]; then
        grep -E 'tests passed|Failed|\*\*\*' "$work/gui.log" | tail -n 20
        exit "$gui_status"
    fi
fi
tested=$SECONDS

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

# Points Wine's COM1 at the pseudo-terminal; Wine reads the mapping when it starts.
wine_com1() {
    "$wine" reg add 'HKLM\Software\Wine\Ports' /v COM1 /t REG_SZ /d "$1" /f >/dev/null
    wineserver -k
    wineserver -w
    start_wineserver
}
# The registers keep their tables and log until they are stopped.
stop_registers() {
    for pid in "${sim_pids[@]}"; do
        kill -INT "$pid"
        wait "$pid" || true
    done
    sim_pids=()
}

common=(--ini settings.ini --model 0 --serial 123 --gap 0 --yes --quiet)

start_register linux
prepare_files "$work/linux"
run_operations "$work/linux" "$root/build/bin/tillora-cli" --port "$pty" "${common[@]}"

start_register windows
prepare_files "$work/windows"
wine_com1 "$pty"
run_operations "$work/windows" "$wine" "$root/build-mingw/bin/tillora-cli.exe" --com 1 "${common[@]}"
stop_registers

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
cli_done=$SECONDS

# ---- End to end: the Windows window against the register, on a virtual display --------------
if [ $window = yes ]; then
    # The window's own commands, as a user gives them: each table read from its file and sent,
    # the report read and both report tables saved; the articles sent once more for the
    # screenshot. The tables' font must have come out fixed-pitch.
    steps=$work/window.steps
    cat >"$steps" <<'STEPS'
tab 0
open артикули.txt
font
command 32778
tab 1
open оператори.txt
command 32778
tab 2
open подгрупи.txt
command 32778
tab 3
open фирма.txt
command 32778
command 32776
tab 4
save-as отчет-артикули.txt
tab 5
save-as отчет-подгрупи.txt
tab 0
command 32778
pause 3000
quit
STEPS
    # The register's settings, with the device behind COM1 where the system needs to be told.
    write_ini() {
        printf '[ECR]\r\nEcrType=0\r\nEcrCom=0\r\nEcrSerial=123\r\nFrameGapMs=0\r\n' >"$1/settings.ini"
        if [ -n "${2:-}" ]; then
            printf '[Ports]\r\nCOM1=%s\r\n' "$2" >>"$1/settings.ini"
        fi
    }

    start_register linux-window
    prepare_files "$work/linux-window"
    write_ini "$work/linux-window" "$pty"
    (
        cd "$work/linux-window"
        XDG_CONFIG_HOME=$PWD/config XDG_DATA_HOME=$PWD/data timeout 300 \
            "$root/build/bin/tillora" -platform offscreen --ini settings.ini \
            --test-steps "$steps" --test-log steps.log
    )

    start_register windows-window
    prepare_files "$work/windows-window"
    write_ini "$work/windows-window"
    Xvfb -displayfd 4 -screen 0 1280x800x24 -nolisten tcp 4>"$work/display" 2>/dev/null &
    xvfb=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    # Wine's desktop takes the display it finds when the server starts.
    export DISPLAY=:$(cat "$work/display")
    wine_com1 "$pty"
    # What the window learns of the register goes under %APPDATA%\Tillora: start without it.
    appdata=$(winepath -u "$("$wine" cmd /c echo %APPDATA% | tr -d '\r')")
    rm -rf "$appdata/Tillora"
    screenshot=$root/build-mingw/window-under-wine.png
    (
        cd "$work/windows-window"
        timeout 300 "$wine" "$root/build-mingw/bin/tillora.exe" \
            --ini settings.ini --test-steps "$(winepath -w "$steps")" --test-log steps.log
    ) &
    window_pid=$!
    # The articles are sent once more before the pause: the moment for the picture.
    for _ in $(seq 600); do
        [ "$(tail -n 1 "$work/windows-window/steps.log" 2>/dev/null | cut -f 1)" = "command 32778" ] &&
            grep -q '^tab 5' "$work/windows-window/steps.log" && break
        kill -0 "$window_pid" 2>/dev/null || break
        sleep 0.5
    done
    sleep 1
    import -window root "$screenshot"
    # A screen of one colour would say that the window never showed.
    [ "$(identify -format %k "$screenshot")" -gt 50 ] || { echo "no window on the screen"; exit 1; }
    window_status=0
    wait "$window_pid" || window_status=$?
    stop_registers
    wineserver -k
    wineserver -w
    kill "$xvfb" 2>/dev/null || true
    unset DISPLAY
    start_wineserver
    if [ "$window_status" -ne 0 ]; then
        echo "The Windows window ended with $window_status; its steps:"
        cat "$work/windows-window/steps.log" || true
        exit 1
    fi

    compared=0
    for file in steps.log frames.log отчет-артикули.txt отчет-подгрупи.txt received/articles.txt \
        received/operators.txt received/subgroups.txt received/company.txt; do
        same "$work/linux-window/$file" "$work/windows-window/$file"
    done
    grep -q $'^command 32778\t33 ' "$work/windows-window/steps.log"
    grep -qx $'font\tfixed pitch' "$work/windows-window/steps.log"
    # What each window keeps of the register it sent to.
    diff -r "$work/linux-window/data/tillora/registers" "$appdata/Tillora/registers"
    echo "Windows window against the register: $compared files the same as the Linux window's;" \
        "screenshot $screenshot"
fi
window_done=$SECONDS

# ---- The installer: made, installed silently under Wine, started, uninstalled ----------------
if [ $window = yes ]; then
    (cd build-mingw && cpack -G NSIS >/dev/null)
    installer=$(ls build-mingw/tillora-*-win64.exe)
    folder=$(winepath -u 'C:\Program Files\Tillora')
    # Waits up to a minute for a file to come (yes) or go (no).
    await() {
        for _ in $(seq 120); do
            if [ -e "$2" ]; then [ "$1" = yes ] && return 0; else [ "$1" = no ] && return 0; fi
            sleep 0.5
        done
        return 1
    }
    "$wine" "$installer" /S
    await yes "$folder/Uninstall.exe"
    installed=(bin/tillora.exe bin/tillora-cli.exe bin/Qt6Core.dll bin/Qt6Widgets.dll
        bin/libstdc++-6.dll bin/platforms/qwindows.dll bin/styles/qwindowsvistastyle.dll
        bin/translations/qtbase_bg.qm bin/EcrLogo/VexoLogo.bmp share/doc/tillora/index.html
        Uninstall.exe)
    for file in "${installed[@]}"; do
        [ -f "$folder/$file" ] || { echo "not installed: $file"; exit 1; }
    done
    menu=$(find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/Tillora/Tillora.lnk' | head -n 1)
    [ -n "$menu" ] || { echo "no Start menu entry"; exit 1; }
    version=${installer##*/tillora-}
    version=${version%-win64.exe}
    shown=$("$wine" "$folder/bin/tillora.exe" --version | tr -d '\r')
    [ "$shown" = "tillora $version" ] || { echo "--version said: $shown"; exit 1; }
    # The installed window starts on Qt's windows platform with what was installed beside it
    # (Wine needs no display for that) and ends by its steps.
    echo quit >"$work/quit.steps"
    "$wine" "$folder/bin/tillora.exe" --test-steps "$(winepath -w "$work/quit.steps")" \
        --test-log "$(winepath -w "$work/quit.log")"
    grep -q '^quit' "$work/quit.log"
    # What the user made there stays when the program goes.
    printf '[ECR]\r\nEcrType=0\r\n' >"$folder/bin/tillora.ini"
    # The uninstaller runs on from a copy of itself and returns at once.
    "$wine" "$folder/Uninstall.exe" /S
    await no "$folder/Uninstall.exe"
    for file in "${installed[@]}"; do
        await no "$folder/$file" || { echo "not uninstalled: $file"; exit 1; }
    done
    [ ! -e "$menu" ] || { echo "the Start menu entry stayed"; exit 1; }
    [ -f "$folder/bin/tillora.ini" ] || { echo "the user's settings went with the program"; exit 1; }
    rm -rf "$folder"
    echo "Installer $(basename "$installer"): installed, started and uninstalled silently under Wine"
fi

echo "Windows stage: build $((built - started)) s, unit and window tests $((tested - built)) s," \
    "tillora-cli end to end $((cli_done - tested)) s, window end to end $((window_done - cli_done)) s," \
    "installer $((SECONDS - window_done)) s, in all $((SECONDS - started)) s"
echo "Windows: $passed passed, $failed failed, $skipped skipped"
[ $window = yes ] && echo "Windows window: $window_tests" || echo "Windows window: SKIPPED (no Qt for MinGW)"
