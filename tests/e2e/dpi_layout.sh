#!/usr/bin/env bash
# The wizard's layout at 96, 120, 144 and 192 dpi, measured by the layout
# driver: it records the layout at 96 dpi and checks it at the others. The
# dpi is Wine's LogPixels, read when its server starts, so this runs in a
# prefix of its own (made on first use) whose server it may restart without
# touching the other tests'. A dpi that cannot be set fails the run, as the
# driver does when the display has another. Needs an X display of at least
# 1600 x 1200; skips (77) without one.
# Usage: dpi_layout.sh <wine-run> <layout_driver.exe> <prefix>
set -uo pipefail
wine_run=$1 driver=$2
export LUMORA_WINEPREFIX=$3
[ -n "${DISPLAY:-}" ] || { echo "no X display (DISPLAY is not set): layout test skipped"; exit 77; }
root=$(cd "$(dirname "$0")/../.." && pwd)
"$root/tools/wine-prefix" >/dev/null || exit 1
source "$root/tools/wine-env"
record=$(mktemp)
set_dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 || return 1
    wineserver -k 2>/dev/null
    wineserver -w
}
trap 'set_dpi 96; rm -f "$record"' EXIT

status=0
for dpi in 96 120 144 192; do
    mode=check
    [ $dpi = 96 ] && mode=record
    echo "=== $dpi dpi: $mode"
    set_dpi $dpi || { echo "FAIL: LogPixels could not be set to $dpi"; exit 1; }
    "$wine_run" "$driver" $mode "Z:${record//\//\\}" $dpi || { status=1; [ $mode = record ] && break; }
done
exit $status
