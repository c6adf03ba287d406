#!/usr/bin/env bash
# Checks the desktop entry and the base file type: both pass their validators, and the type database built
# from the type file tells bases by their name or by their header in any letter case.
# Usage: check-desktop-files.sh DESKTOP_FILE MIME_FILE
set -euo pipefail
desktop=$1 mime=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

report=$(desktop-file-validate "$desktop" 2>&1) || true
[ -z "$report" ] || { echo "desktop-file-validate: $report"; exit 1; }

mkdir -p "$work/mime/packages"
cp "$mime" "$work/mime/packages/"
report=$(XDG_DATA_HOME=$work update-mime-database "$work/mime" 2>&1) || { echo "update-mime-database failed: $report"; exit 1; }
[ -z "$report" ] || { echo "update-mime-database: $report"; exit 1; }

status=0
# file name | first line | expected type
while IFS='|' read -r name first expected; do
    printf '%s\r\n  Тема\r\n' "$first" >"$work/$name"
    type=$(XDG_DATA_HOME=$work XDG_DATA_DIRS=/usr/share gio info -a standard::content-type "$work/$name" |
        sed -n 's/.*standard::content-type: //p')
    if [ "$type" != "$expected" ]; then
        echo "$name starting with '$first': $type, expected $expected"
        status=1
    fi
done <<'TABLE'
base.bse|[ZorvantaBaseFile.2.0]|application/x-zorvanta-base
BASE.BSE|not a header|application/x-zorvanta-base
no-extension|[zorvantabasefile.2.0]|application/x-zorvanta-base
mixed.dat|[ZORVANTAbaseFILE.2.0]|application/x-zorvanta-base
other-version.dat|[ZorvantaBaseFile.3.0]|text/plain
TABLE
exit $status
