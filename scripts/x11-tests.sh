#!/usr/bin/env bash
# Runs the window tests that need a real X server and window manager (they skip under offscreen).
set -euo pipefail
cd "$(dirname "$0")/.."
display=:93
Xvfb "$display" -screen 0 1280x900x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $wm $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
sleep 1
openbox >/dev/null 2>&1 &
wm=$!
sleep 1
QT_QPA_PLATFORM=xcb build/tests/tst_MinimumSize
