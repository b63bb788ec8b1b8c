#!/usr/bin/env bash
# The wizard's layout at 96, 120, 144 and 192 dpi, measured by the layout
# driver: it records the layout at 96 dpi and checks it at the others. Then
# the pictures of the pages, the exit question, the version notice and the
# reminder at 96 and 144 dpi with "MS Shell Dlg" standing for fonts of other
# metrics (DejaVu Sans; WenQuanYi Zen Hei, as on an East Asian system): each
# must be the standard one to the pixel. Wine reads the dpi and the fonts as
# its server starts, so this restarts the server of a prefix of its own (made
# on first use). A dpi or font that cannot be set fails the run. Needs an X
# display of at least 1600 x 1200; skips (77) without one.
# Usage: dpi_layout.sh <wine-run> <layout_driver.exe> <prefix> <wizard_driver.exe>
#                      <show_dialog.exe> <resume_test.exe> <pictures folder>
set -uo pipefail
wine_run=$1 driver=$2 wizard=$4 dialogs=$5 resume=$6 pictures=$7
export LUMORA_WINEPREFIX=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/need-display.sh" "layout test"
"$here/../../tools/wine-prefix" >/dev/null || exit 1
source "$here/../../tools/wine-env"
mkdir -p "$pictures"
record=$pictures/layout-96dpi.txt
substitutes='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
restart() {
    wineserver -k 2>/dev/null
    wineserver -w
}
set_dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}
set_dialog_font() {  # face
    for name in "MS Shell Dlg" "MS Shell Dlg 2"; do
        wine reg add "$substitutes" /v "$name" /d "$1" /f >/dev/null 2>&1 || return 1
    done
}
trap 'set_dpi 96; set_dialog_font Tahoma; restart' EXIT

status=0
for dpi in 96 120 144 192; do
    mode=check
    [ $dpi = 96 ] && mode=record
    echo "=== $dpi dpi: $mode"
    set_dpi $dpi && restart || { echo "FAIL: LogPixels could not be set to $dpi"; exit 1; }
    "$wine_run" "$driver" $mode "Z:${record//\//\\}" $dpi || { status=1; [ $mode = record ] && break; }
done

fonts=(Tahoma "DejaVu Sans" "WenQuanYi Zen Hei")
for dpi in 96 144; do
    for font in "${fonts[@]}"; do
        echo "=== $dpi dpi, \"MS Shell Dlg\" as $font"
        # The standard is Wine's own Tahoma; the others are Debian's.
        [ "$font" = "${fonts[0]}" ] || fc-list -q "$font" || { echo "FAIL: $font is not installed"; status=1; continue; }
        folder="$pictures/$dpi-${font// /}"
        rm -rf "$folder"
        { set_dpi $dpi && set_dialog_font "$font" && restart; } || { echo "FAIL: could not set it"; exit 1; }
        "$here/wizard_screenshots.sh" "$wine_run" "$wizard" "$folder" >/dev/null &&
            "$here/../wine/ui/screenshot_dialogs" "$wine_run" "$dialogs" "$folder" >/dev/null &&
            "$here/reminder_screenshot.sh" "$resume" "$folder/reminder.png" >/dev/null ||
            { echo "FAIL: the pictures could not be taken"; status=1; continue; }
        [ "$font" = "${fonts[0]}" ] && continue
        for picture in "$folder"/*.png; do
            standard="$pictures/$dpi-${fonts[0]}/$(basename "$picture")"
            differ=$(compare -metric AE "$standard" "$picture" null: 2>&1)
            [ "$differ" = 0 ] || { echo "FAIL: $(basename "$picture") differs in $differ pixels"; status=1; }
        done
    done
done
exit $status
