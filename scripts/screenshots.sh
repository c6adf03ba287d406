#!/usr/bin/env bash
# Takes the screenshots in docs/ from the built program under Xvfb with a small window manager.
# Needs: xvfb, openbox, xdotool, imagemagick.
set -euo pipefail
cd "$(dirname "$0")/.."
display=:77
out=${1:-docs}
mkdir -p "$out"
Xvfb "$display" -screen 0 1280x900x24 >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
sleep 1
openbox >/dev/null 2>&1 &
wm=$!
trap 'kill $wm $xvfb 2>/dev/null || true; pkill -f "build/bin/zorvanta-test" || true' EXIT
sleep 1

parent_of() { xwininfo -tree -id "$1" | awk '/Parent window id:/{print $4}'; }

shot() { # window-name-pattern file: the window with its frame, if the window manager gave it one
    sleep 1.2
    local id root geometry
    id=$(xdotool search --onlyvisible --name "$1" | tail -1)
    root=$(xwininfo -root | awk '/Window id:/{print $4}')
    # The frame is the ancestor of the window that sits directly on the root.
    while [ "$(parent_of "$id")" != "$root" ]; do
        id=$(parent_of "$id")
    done
    geometry=$(xwininfo -id "$id" | awk '/Width:/{w=$2} /Height:/{h=$2} /Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} END{printf "%dx%d+%d+%d", w, h, x, y}')
    import -window root -crop "$geometry" +repage "$2"
}

# A running-copy lock of its own, so that another copy on this machine does not refuse this one.
XDG_RUNTIME_DIR=$(mktemp -d) build/bin/zorvanta-test &
shot "Выбор темы" "$out/chose.png"
xdotool key Tab Down shift+Tab Return
shot "Основы химии" "$out/main.png"
id=$(xdotool search --onlyvisible --name "Основы химии" | tail -1)
xdotool windowsize "$id" 400 300
shot "Основы химии" "$out/main-minimum.png"
xdotool key super+Up 2>/dev/null || true
wmctrl -r "Основы химии" -b add,maximized_vert,maximized_horz 2>/dev/null || xdotool windowsize "$id" 1280 870
shot "Основы химии" "$out/main-maximised.png"
for _ in $(seq 1 15); do xdotool key Return; sleep 0.1; done
shot "Результаты" "$out/end.png"
xdotool key Return
shot "About" "$out/about.png"
