#!/usr/bin/env bash
# Runs the window tests that need a real X server and window manager (they skip under offscreen).
set -euo pipefail
cd "$(dirname "$0")/.."
xvfb-run -a -s "-screen 0 1280x900x24" sh -c '
    openbox >/dev/null 2>&1 &
    sleep 1
    status=0
    for test in tst_MinimumSize tst_Corners tst_RealInput; do
        QT_QPA_PLATFORM=xcb build/tests/$test || status=1
    done
    kill $! 2>/dev/null
    exit $status'
