#!/usr/bin/env bash
# Takes the screenshots in docs/ (or the folder named) from the built program under Xvfb with a small
# window manager: an X server on a free display, a session bus and a runtime folder of its own, so that it
# meets no other run's windows or running-copy lock, and ends only what it started.
set -euo pipefail
self=$(realpath "$0")
cd "$(dirname "$self")/.."

# Inside the X server and the session bus: the window manager, the program, the pictures.
if [ "${1-}" = "--inside" ]; then
    out=$2
    openbox >/dev/null 2>&1 &
    wm=$!
    program=
    trap 'kill $program $wm 2>/dev/null || true' EXIT
    # The window manager is ready once it has announced itself on the root window.
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.1
    done

    parent_of() { xwininfo -tree -id "$1" | awk '/Parent window id:/{print $4}'; }

    shot() { # window-name-pattern file: the window with its frame, if the window manager gave it one
        xdotool search --sync --onlyvisible --name "$1" >/dev/null
        sleep 1.2 # the window has painted and the window manager has framed it
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

    build/bin/zorvanta-test &
    program=$!
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
    exit 0
fi

scripts/install-packages.sh xvfb xauth openbox xdotool x11-utils wmctrl imagemagick dbus
out=$(realpath -m "${1:-docs}")
mkdir -p "$out"
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
XDG_RUNTIME_DIR=$runtime xvfb-run -a -s "-screen 0 1280x900x24" dbus-run-session -- "$self" --inside "$out"
