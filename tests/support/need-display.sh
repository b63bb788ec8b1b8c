# Sourced by test scripts: without an X display the script ends as skipped
# (77). Usage: source need-display.sh "<what is skipped>"
[ -n "${DISPLAY:-}" ] || { echo "no X display (DISPLAY is not set): $1 skipped"; exit 77; }
