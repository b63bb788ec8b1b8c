#!/usr/bin/env bash
# Runs a Windows test program with the standard error of every Wine process it
# starts collected in one file, whose Windows path the program finds in
# LUMORA_STDERR_LOG: Wine writes the debug traces it is asked for there.
# Usage: stderr_log.sh <wine-run> <program> [arguments...]
set -uo pipefail
log=$(mktemp)
trap 'rm -f "$log"' EXIT
export LUMORA_STDERR_LOG="Z:${log//\//\\}"
"$@" 2>"$log"
