#!/usr/bin/env bash
# Screenshots of the wizard's four pages under Wine, written as page1.png to
# page4.png into the given folder: the driver walks the pages and waits on
# each until its picture is taken. Needs an X display; skips (77) without one.
# Usage: wizard_screenshots.sh <wine-run> <wizard_driver.exe> <folder>
set -uo pipefail
wine_run=$1 driver=$2 folder=$3
source "$(dirname "$0")/../support/need-display.sh" screenshots
mkdir -p "$folder"
sync=$(mktemp -d) log=$(mktemp)
trap 'rm -rf "$sync" "$log"' EXIT
rm -f "$folder"/page[1-4].png

"$wine_run" "$driver" walk "Z:${sync//\//\\}" >"$log" &
runner=$!
for n in 1 2 3 4; do
    geometry=
    for _ in $(seq 300); do
        geometry=$(sed -n "s/^page $n \(-\?[0-9]*\) \(-\?[0-9]*\) \([0-9]*\) \([0-9]*\).*/\3x\4+\1+\2/p" "$log")
        [ -n "$geometry" ] && break
        kill -0 $runner 2>/dev/null || break
        sleep 0.1
    done
    [ -n "$geometry" ] || { echo "page $n did not show"; break; }
    sleep 0.5  # let the page's paint reach the X server
    import -window root -crop "$geometry" +repage "$folder/page$n.png"
    echo "page $n: $geometry -> $folder/page$n.png"
    touch "$sync/taken$n"
done
wait $runner
status=$?
for n in 1 2 3 4; do [ -s "$folder/page$n.png" ] || status=1; done
exit $status
