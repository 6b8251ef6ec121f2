#!/bin/bash
# The program read through the real accessibility bus (AT-SPI), as Orca reads
# it: under Xvfb, in a D-Bus session of its own with the accessibility bus.
# Exits 77 (skipped) when this machine cannot bring the bus up.
# Usage: run_atspi_test.sh <zavevad executable> <folder of sample result files>
set -u
exe=$1
examples=$2
here=$(cd "$(dirname "$0")" && pwd)
python=/usr/bin/python3

skip() {
    echo "SKIP: $*"
    exit 77
}
command -v xvfb-run >/dev/null || skip "xvfb-run is missing"
command -v Xvfb >/dev/null || skip "Xvfb is missing"
command -v dbus-run-session >/dev/null || skip "dbus-run-session is missing"
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "at-spi-bus-launcher is missing"
"$python" -c 'import pyatspi' 2>/dev/null || skip "python3-pyatspi is missing"

# The session leaves a mark when it starts: without it, the display or the
# D-Bus session could not start here, which skips rather than fails.
mark=$(mktemp -u)
xvfb-run -a -s '-screen 0 1280x1024x24' \
    dbus-run-session -- bash "$here/atspi_session.sh" "$exe" "$examples" "$mark"
status=$?
[ -e "$mark" ] || skip "no display or D-Bus session could start"
rm -f "$mark"
exit $status
