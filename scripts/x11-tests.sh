#!/usr/bin/env bash
# Runs every window test on a real X server with a window manager, where the examinee sits: each test
# program in an X server (Xvfb, 1280x1024), a session bus and a runtime folder of its own, so that it
# meets no other run's windows, running-copy lock or accessibility bus. Optional arguments name the tests
# to run; by default all that the build lists in build/tests/window-tests.txt.
set -euo pipefail
self=$(realpath "$0")
cd "$(dirname "$self")/.."

# Inside the X server and the session bus of one test: the window manager, then the test.
if [ "${1-}" = "--inside" ]; then
    openbox >/dev/null 2>&1 &
    wm=$!
    # The window manager is ready once it has announced itself on the root window.
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.1
    done
    # The accessibility bus, started as a desktop session starts it; Qt talks to it once it runs.
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null
    status=0
    QT_QPA_PLATFORM=xcb "$2" || status=$?
    kill "$wm" 2>/dev/null || true
    wait "$wm" 2>/dev/null || true
    exit "$status"
fi

scripts/install-packages.sh xvfb xauth openbox xdotool x11-utils x11-xserver-utils dbus at-spi2-core
if [ $# -gt 0 ]; then
    tests=("$@")
else
    mapfile -t tests <build/tests/window-tests.txt
fi
failed=()
for test in "${tests[@]}"; do
    [ -n "$test" ] || continue
    echo "=== $test on X11"
    runtime=$(mktemp -d)
    if ! XDG_RUNTIME_DIR=$runtime xvfb-run -a -s "-screen 0 1280x1024x24" \
        dbus-run-session -- "$self" --inside "build/tests/$test"; then
        failed+=("$test")
    fi
    rm -rf "$runtime"
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "Failed on X11: ${failed[*]}"
    exit 1
fi
echo "All ${#tests[@]} window tests passed on X11"
