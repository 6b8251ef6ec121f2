#!/bin/bash
# Inside the D-Bus session: the accessibility bus, the program, the reader.
set -u
exe=$1
examples=$2
touch "$3"
here=$(cd "$(dirname "$0")" && pwd)
python=/usr/bin/python3
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT

/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
        >/dev/null 2>&1 && break
    sleep 0.1
done
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
    >/dev/null 2>&1 || { echo "SKIP: the accessibility bus did not start"; exit 77; }

# A window manager, as on a desktop: it places, activates and closes windows.
if command -v openbox >/dev/null; then
    openbox --sm-disable >/dev/null 2>&1 &
    pids+=($!)
    sleep 1
fi

# One test's files (the sample folder also holds two of another test).
files=()
for f in "$examples"/*.dat; do
    case "$(basename "$f")" in inny_test_*) ;; *) files+=("$f") ;; esac
done
# The names as the results table holds them, from the program's own text export.
cd "$work" || exit 1
ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen "$exe" --txt names.txt "${files[@]}" \
    || { echo "FAIL: the text export did not run"; exit 1; }

# The program, once more if the display turned it away: a display that
# refuses its first client now and then is this machine's, not the program's.
start_program() {
    ASAN_OPTIONS=detect_leaks=0 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 \
        QT_QPA_PLATFORM=xcb "$exe" "${files[@]}" >"$work/app.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 30); do
        kill -0 "$!" 2>/dev/null || break
        sleep 0.1
    done
    ! grep -q "brak ekranu" "$work/app.log"
}
start_program || { sleep 1; start_program; } || {
    cat "$work/app.log"
    echo "SKIP: the display turned the program away"
    exit 77
}

timeout 120 "$python" "$here/atspi_tree.py" "$work/names.txt"
status=$?
[ $status -eq 0 ] || cat "$work/app.log"
exit $status
