#!/usr/bin/env bash
# taskbar_screenshot.sh WIZARD_DRIVER OUT.png
# Photographs the wizard with its button in a window manager's taskbar, which
# shows the program's small icon. Our X displays run no window manager and
# Wine's own taskbar draws no icons, so for this one picture the display runs
# IceWM (its taskbar on top, holding nothing but the buttons) and Wine hands
# it the wizard's windows. The driver walks the wizard as for the page
# screenshots; the picture is taken on the first page.
set -euo pipefail
source "$(dirname "$0")/../../tools/wine-env"
driver=$1 out=$2
[ -n "${DISPLAY:-}" ] || { echo "no X display (DISPLAY is not set): screenshot skipped"; exit 77; }
sync=$(mktemp -d) log=$(mktemp) config=$(mktemp -d)
# The wizard's settings for Wine, put back as they were at the end.
defaults='HKCU\Software\Wine\AppDefaults\Lumora.exe'
managed="$defaults\X11 Driver"
wine reg query "$defaults" >/dev/null 2>&1 || created=$defaults
walk="" wm=""
cleanup() {
    touch "$sync"/taken{1,2,3,4}
    [ -z "$walk" ] || wait "$walk" || true
    [ -z "$wm" ] || kill "$wm" 2>/dev/null || true
    wine reg delete "${created:-$managed}" /f >/dev/null 2>&1 || true
    rm -rf "$sync" "$log" "$config"
}
trap cleanup EXIT
mkdir -p "$(dirname "$out")"
rm -f "$out"

printf '%s=0\n' TaskBarShowWorkspaces TaskBarShowClock TaskBarShowStartMenu TaskBarShowWindowListMenu \
    TaskBarShowShowDesktopButton TaskBarShowCPUStatus TaskBarShowNetStatus TaskBarShowMailboxStatus \
    TaskBarShowAPMStatus TaskBarShowMEMStatus >"$config/preferences"
echo TaskBarAtTop=1 >>"$config/preferences"
ICEWM_PRIVCFG=$config icewm >/dev/null 2>&1 &
wm=$!
wine reg add "$managed" /v Managed /t REG_SZ /d Y /f >/dev/null

wine "$driver" walk "$(winepath -w "$sync")" >"$log" &
walk=$!
geometry=
for ((i = 0; i < 300; i++)); do
    # From the screen's corner to the wizard's far corner: the taskbar above it included.
    geometry=$(awk '$1 == "page" && $2 == 1 {print $3 + $5 "x" $4 + $6 "+0+0"}' "$log")
    [ -n "$geometry" ] && break
    sleep 0.1
done
[ -n "$geometry" ] || { echo "the wizard did not show" >&2; exit 1; }
sleep 1  # let the page and the taskbar paint
import -window root -crop "$geometry" +repage "$out"
echo "taskbar screenshot: $out"
