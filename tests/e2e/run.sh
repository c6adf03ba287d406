#!/usr/bin/env bash
# The end-to-end tests: the built program (build/bin, nothing is built here) started from a staged
# folder under Xvfb with openbox and a session bus, driven by real X input and read back through the
# accessibility bus and the files it writes. Each test runs in a world of its own.
#
#   tests/e2e/run.sh [--repeat N] [FILTER]    runs the tests whose name contains FILTER, N times over
#
# ZT_E2E_PROGRAM names another built program folder to stage from (default: build/bin); ZT_E2E_TRACE=1
# prints how long each wait took, also for the tests that pass.
set -euo pipefail
cd "$(dirname "$0")/../.."
export ZT_E2E_PROGRAM=${ZT_E2E_PROGRAM:-$PWD/build/bin}

repeat=1
if [ "${1:-}" = --repeat ]; then
    repeat=$2
    shift 2
fi
filter=${1:-}

[ -x "$ZT_E2E_PROGRAM/zorvanta-test" ] || { echo "$ZT_E2E_PROGRAM/zorvanta-test is missing: build the program first" >&2; exit 2; }
scripts/install-packages.sh xvfb openbox xdotool x11-utils x11-xserver-utils imagemagick dbus at-spi2-core \
    python3-pyatspi python3-gi

# The system's Python, whose packages hold the accessibility bindings.
python=/usr/bin/python3
mapfile -t tests < <("$python" tests/e2e/session.py --list "$filter")
if [ ${#tests[@]} -eq 0 ]; then
    echo "no end-to-end test matches '$filter'" >&2
    exit 2
fi

passed=0
failed=0
started=$SECONDS
for ((round = 1; round <= repeat; round++)); do
    [ "$repeat" -eq 1 ] || echo "-- run $round of $repeat"
    for test in "${tests[@]}"; do
        if "$python" tests/e2e/session.py "$test"; then
            passed=$((passed + 1))
        else
            failed=$((failed + 1))
        fi
    done
done
echo "$passed passed, $failed failed ($((SECONDS - started)) s)"
[ "$failed" -eq 0 ]
