# Sourced by the test scripts that need an X display: without one the script
# ends as skipped (77), saying what was skipped.
# Usage: source need-display.sh "<what is skipped>"
[ -n "${DISPLAY:-}" ] || { echo "no X display (DISPLAY is not set): $1 skipped"; exit 77; }
