#!/usr/bin/env bash
# reminder_screenshot.sh RESUME_TEST OUT.png
# Photographs the resume program's reminder on the X display: runs the resume
# test that shows it, which holds the reminder open until the picture is taken.
set -euo pipefail
source "$(dirname "$0")/../../tools/wine-env"
resume_test=$1 out=$2
source "$(dirname "$0")/../support/need-display.sh" screenshot
sync=$(mktemp -d)
trap 'rm -rf "$sync"' EXIT
mkdir -p "$(dirname "$out")"
rm -f "$out"

LUMORA_SCREENSHOT_SYNC=$(winepath -w "$sync") wine "$resume_test" --gtest_filter=Resume.LaterOnlyClosesTheReminder &
test_pid=$!
for ((i = 0; i < 300; i++)); do
    [ -e "$sync/shown" ] && break
    sleep 0.1
done
if [ -e "$sync/shown" ]; then
    sleep 1  # let the reminder paint
    import -window root -trim +repage "$out"  # the reminder alone, on the empty screen
fi
touch "$sync/taken"
wait "$test_pid"
[ -s "$out" ] || { echo "the reminder did not appear" >&2; exit 1; }
echo "reminder screenshot: $out"
