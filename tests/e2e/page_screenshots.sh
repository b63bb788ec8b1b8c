#!/usr/bin/env bash
# Screenshots of the pages' states worth a look (the reminder list dropped
# down, the sliders at the gammas read, the gamma page's warning, a message of
# Save) under Wine, written as <state>.png into the given folder. Needs an X
# display; skips (77) without one.
# Usage: page_screenshots.sh <wine-run> <page_states_driver.exe> <folder>
set -uo pipefail
wine_run=$1 driver=$2 folder=$3
source "$(dirname "$0")/../support/need-display.sh" screenshots
mkdir -p "$folder"
sync=$(mktemp -d) log=$(mktemp)
trap 'rm -rf "$sync" "$log"' EXIT
states=(reminder_list gamma_read gamma_warning save_message)
for state in "${states[@]}"; do rm -f "$folder/$state.png"; done

"$wine_run" "$driver" "Z:${sync//\//\\}" >"$log" &
runner=$!
for state in "${states[@]}"; do
    geometry=
    for _ in $(seq 300); do
        geometry=$(sed -n "s/^shot $state \(-\?[0-9]*\) \(-\?[0-9]*\) \([0-9]*\) \([0-9]*\).*/\3x\4+\1+\2/p" "$log")
        [ -n "$geometry" ] && break
        kill -0 $runner 2>/dev/null || break
        sleep 0.1
    done
    [ -n "$geometry" ] || { echo "$state did not show"; break; }
    sleep 1  # let the paint reach the X server
    import -window root -crop "$geometry" +repage "$folder/$state.png"
    echo "$state: $geometry -> $folder/$state.png"
    touch "$sync/taken-$state"
done
wait $runner
status=$?
for state in "${states[@]}"; do [ -s "$folder/$state.png" ] || status=1; done
exit $status
