#!/usr/bin/env bash
# Registers the program folder this script stands in with the desktop of the current user: an entry in the
# applications menu, the program icon, and test bases (*.bse) opening in the program with a double click.
# Everything goes under ~/.local/share (XDG_DATA_HOME) and ~/.config/mimeapps.list; no root needed.
#   install-desktop.sh              register (again) this folder
#   install-desktop.sh --uninstall  take everything away again
set -euo pipefail

folder=$(cd "$(dirname "$0")" && pwd -P)
data=${XDG_DATA_HOME:-$HOME/.local/share}
config=${XDG_CONFIG_HOME:-$HOME/.config}
entry=zorvanta-test.desktop
type=application/x-zorvanta-base
sizes=(16 22 24 32 48 64 128 256)

# Runs a desktop tool when the system has it; without it the desktop finds the files on its next start.
maybe() { if command -v "$1" >/dev/null 2>&1; then "$@" >/dev/null 2>&1 || true; fi; }

# The program's path as a desktop entry's Exec key wants it. A path with characters that the entry
# reserves goes in double quotes, with " ` $ \ escaped (the escapes doubled for the entry's string rules);
# any other stays bare, which simple launchers such as xdg-open's own also read. % is always doubled.
exec_quoted() {
    local path=${1//%/%%}
    case $path in
    *[[:space:]\"\'\\\>\<~\|\&\;\$\*\?\#\(\)\`]*)
        printf '"%s"' "$(printf '%s' "$path" | sed -e 's/\\/\\\\\\\\/g' -e 's/["`$]/\\\\&/g')"
        ;;
    *) printf '%s' "$path" ;;
    esac
}

remove_if_empty() { rmdir "$@" 2>/dev/null || true; }

unregister() {
    rm -f "$data/applications/$entry" "$data/mime/packages/zorvanta-test.xml"
    for size in "${sizes[@]}"; do
        rm -f "$data/icons/hicolor/${size}x${size}/apps/zorvanta-test.png"
        remove_if_empty "$data/icons/hicolor/${size}x${size}/apps" "$data/icons/hicolor/${size}x${size}"
    done
    remove_if_empty "$data/icons/hicolor" "$data/icons"
    if [ -f "$config/mimeapps.list" ]; then
        sed -i "\|^$type=$entry;\?\$|d" "$config/mimeapps.list"
        # A list that held only our choice goes with it.
        if ! grep -qv '^\(\[.*\]\)\?$' "$config/mimeapps.list"; then
            rm -f "$config/mimeapps.list"
        fi
    fi
    # The caches are rebuilt from what is left; with nothing left they go too.
    if [ -d "$data/mime/packages" ] && [ -z "$(ls -A "$data/mime/packages")" ]; then
        rm -rf "$data/mime"
    elif [ -d "$data/mime" ]; then
        maybe update-mime-database "$data/mime"
    fi
    if [ -d "$data/applications" ] && ! ls "$data/applications"/*.desktop >/dev/null 2>&1; then
        rm -f "$data/applications/mimeinfo.cache"
        remove_if_empty "$data/applications"
    else
        maybe update-desktop-database "$data/applications"
    fi
    remove_if_empty "$data" "$config" "$HOME/.local"
}

register() {
    if [ ! -x "$folder/zorvanta-test" ] || [ ! -d "$folder/desktop" ]; then
        echo "$0: рядом со скриптом нет программы zorvanta-test и папки desktop" >&2
        exit 1
    fi
    mkdir -p "$data/applications" "$data/mime/packages" "$config"
    for size in "${sizes[@]}"; do
        mkdir -p "$data/icons/hicolor/${size}x${size}/apps"
        cp "$folder/desktop/icons/hicolor/${size}x${size}/apps/zorvanta-test.png" \
            "$data/icons/hicolor/${size}x${size}/apps/"
    done
    cp "$folder/desktop/zorvanta-test.xml" "$data/mime/packages/"
    # The entry names this very folder's program; it hides itself should the folder go away.
    EXEC="$(exec_quoted "$folder/zorvanta-test") %f" TRYEXEC=$(printf '%s' "$folder/zorvanta-test" | sed 's/\\/\\\\/g') \
        awk '/^Exec=/ { print "Exec=" ENVIRON["EXEC"]; next }
             /^TryExec=/ { print "TryExec=" ENVIRON["TRYEXEC"]; next }
             { print }' "$folder/desktop/$entry" >"$data/applications/$entry"
    maybe update-mime-database "$data/mime"
    maybe update-desktop-database "$data/applications"
    # Bases open in this program, not in the text editor that their plain-text parent type would pick.
    maybe xdg-mime default "$entry" "$type"
    echo "Zorvanta Test из папки $folder добавлена в меню пользователя $(id -un)"
}

case "${1:-}" in
"") register ;;
--uninstall) unregister ;;
*)
    echo "usage: $0 [--uninstall]" >&2
    exit 2
    ;;
esac
