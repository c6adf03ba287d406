#!/usr/bin/env bash
# Packs the portable archive from the default build, unpacks it into a temporary folder and, under Xvfb
# with openbox, checks what a user of it meets: the program starts there on its selection window; its
# desktop registration (in a temporary home) makes `gio mime` name it and `xdg-open` open a base in it;
# and unregistering leaves no file behind.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" != --under-x ]; then
    scripts/install-packages.sh xvfb xauth openbox xdotool xdg-utils libfile-mimeinfo-perl libglib2.0-bin \
        desktop-file-utils shared-mime-info
    cmake --build --preset default -j "$(nproc)" >/dev/null
    (cd build && cpack -G TGZ >/dev/null)
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    tar -xzf build/zorvanta-test-*-Linux.tar.gz -C "$work"
    xvfb-run -a -s "-screen 0 1280x900x24" "$0" --under-x "$work"
    echo "archive test passed"
    exit 0
fi

work=$2
folder=$(echo "$work"/zorvanta-test-*-Linux)
openbox >/dev/null 2>&1 &
wm=$!
disown
program=
trap 'kill ${program:+"$program"} "$wm" 2>/dev/null || true' EXIT
sleep 1

fail() {
    echo "archive test: $*" >&2
    exit 1
}

# Waits for a visible window whose title matches, then ends the program that showed it.
expect_window() {
    # Searched again and again rather than with --sync: a window that goes away during the search (the
    # one just ended) makes a single search fail with an X error.
    local tries=100
    until xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || fail "no window '$1' ($2)"
        sleep 0.2
    done
    program=$(pgrep -f -x "$folder/zorvanta-test.*") || fail "program not found ($2)"
    kill "$program"
    program=
}

# Each start gets a runtime folder of its own: the running-copy lock lives there.
runtime() {
    local dir
    dir=$(mktemp -d -p "$work")
    chmod 700 "$dir"
    echo "$dir"
}

XDG_RUNTIME_DIR=$(runtime) "$folder/zorvanta-test" &
disown
expect_window "Выбор темы" "started from the unpacked folder"

export HOME=$work/home
unset XDG_DATA_HOME XDG_CONFIG_HOME XDG_DATA_DIRS XDG_CURRENT_DESKTOP
mkdir -p "$HOME"
"$folder/install-desktop.sh" >/dev/null
# Read whole before it is searched: grep -q would stop reading at the match, and under pipefail the
# writer's broken pipe would then fail the check.
mime=$(gio mime application/x-zorvanta-base)
grep -q '^Default application.*zorvanta-test.desktop' <<<"$mime" || fail "gio mime does not name the program"
cp "$folder/Tests/chemistry.bse" "$work/some.bse"
XDG_RUNTIME_DIR=$(runtime) xdg-open "$work/some.bse" &
disown
expect_window "Основы химии" "xdg-open some.bse"

"$folder/install-desktop.sh" --uninstall
left=$(find "$HOME" -mindepth 1)
[ -z "$left" ] || fail "left behind after --uninstall: $left"
