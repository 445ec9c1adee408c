#!/bin/bash
# Runs a command on an Xvfb display of its own, started with -displayfd (xvfb-run's -a probing
# races with other displays, and its clean-up can fail a command that passed), and ends the
# display afterwards. The exit status is the command's.
# Usage: tools/xvfb.sh COMMAND [ARG...]
set -euo pipefail
. "$(dirname "$0")/lib.sh"
[ $# -gt 0 ] || fail "usage: $0 COMMAND [ARG...]"
start_display
status=0
"$@" || status=$?
exit "$status"
