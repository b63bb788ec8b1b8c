#!/usr/bin/env bash
# The first icon group of each file, read back from the file itself: the
# program's icon, 32 bits, in every size that Windows asks for at the usual
# scalings (16 to 64) and the 256 of Vista on.
# Usage: icon_groups.sh FILE...
set -uo pipefail
want="16 20 24 32 40 48 64 256"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

status=0
for file in "$@"; do
    name=$(basename "$file")
    group=$(wrestool -l --type=group_icon "$file" 2>/dev/null | sed -n '1s/.*--name=\([^ ]*\) .*/\1/p')
    sizes=
    if [ -n "$group" ] && wrestool -x --type=group_icon --name="$group" -o "$work/$name.ico" "$file"; then
        sizes=$(icotool -l "$work/$name.ico" | sed -n 's/.* --width=\([0-9]*\) --height=\1 --bit-depth=32 .*/\1/p' |
                sort -n | xargs)
    fi
    if [ "$sizes" = "$want" ]; then
        echo "$name: icon group $group, $sizes"
    else
        echo "$name: first icon group ${group:-missing} holds '$sizes', not '$want'"
        status=1
    fi
done
exit $status
