#!/usr/bin/env bash
# Builds the whole program for 64-bit Windows (MinGW-w64, against the Qt that scripts/qt-mingw.sh builds or
# keeps), runs its window tests under Wine with Qt's Windows platform on an Xvfb display with openbox,
# packs the portable ZIP and smoke-runs the packed program from it: a name typed, a test taken with the
# keyboard, the result file checked byte for byte and the selection window's screenshot kept beside the
# ZIP. Every Wine run has a prefix of its own. Exits non-zero on any failure; prints the ZIP's path last.
set -euo pipefail
cd "$(dirname "$0")/.."
here=$(pwd)

if [ "${1:-}" != --under-x ]; then
    scripts/install-packages.sh cmake ninja-build g++-mingw-w64-x86-64-posix googletest wine wine64 xvfb \
        xauth openbox xdotool x11-xkb-utils imagemagick fonts-liberation qt6-translations-l10n
    scripts/qt-mingw.sh >&2
    # The icon painter runs on this machine: the native build's.
    [ -f build/CMakeCache.txt ] || cmake --preset default >/dev/null
    cmake --build --preset default --target zt_paint_icons >/dev/null
    cmake --preset windows-cross >/dev/null
    cmake --build --preset windows-cross -j "$(nproc)" >&2
    (cd build-windows-cross && cpack -G ZIP >/dev/null)
    zip=$here/build-windows-cross/zorvanta-test-1.0-win64.zip
    [ -f "$zip" ] || { echo "no $zip" >&2; exit 1; }

    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --under-x "$work" "$zip" >&2
    echo "$zip"
    exit 0
fi

work=$2
zip=$3
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
openbox >/dev/null 2>&1 &
wm=$!
# Ends what ran in each prefix, then the window manager.
finish() {
    local prefix
    for prefix in "$work"/prefix-*; do
        WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    done
    kill "$wm" 2>/dev/null || true
}
trap finish EXIT

fail() {
    echo "windows program: $*" >&2
    exit 1
}

# A fresh Wine prefix, made ready before anything runs in it.
new_prefix() {
    export WINEPREFIX=$work/prefix-$1
    wine cmd /c exit </dev/null >/dev/null 2>&1
}

# Waits for a visible window whose title matches and prints its id.
window() {
    local tries=150 id
    until id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1) && [ -n "$id" ]; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || fail "no window '$1'"
        sleep 0.2
    done
    echo "$id"
}

# Waits until a window has the keyboard.
focused() {
    local tries=150
    until [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || fail "window $1 never got the keyboard"
        xdotool windowactivate "$1" 2>/dev/null || true
        sleep 0.2
    done
}

# The window tests, on the Windows platform.
new_prefix tests
qt_dlls="Z:$HOME/.cache/zorvanta/qt-6.4.2-mingw/bin;Z:/usr/lib/gcc/x86_64-w64-mingw32/12-posix"
if ! ctest --preset windows-cross -R '^tst_' --no-tests=error; then
    # Qt Test writes nothing to a console under Wine, but writes its log to a file: each failed test
    # runs again into one, which is shown.
    while IFS=: read -r _ name; do
        log=$work/$name.txt
        (cd build-windows-cross/tests && QT_QPA_PLATFORM=windows WINEPATH=$qt_dlls wine "$name.exe" -o "Z:${log//\//\\},txt") || true
        cat "$log" >&2 || true
    done <build-windows-cross/Testing/Temporary/LastTestsFailed.log
    fail "window tests failed"
fi

# The packed program as a user meets it: unpacked anywhere, with one base of its own in Tests.
new_prefix smoke
cp /usr/share/fonts/truetype/liberation/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
mkdir "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$zip")
folder=$work/unpacked/zorvanta-test-1.0-win64
for file in zorvanta-test.exe zorvanta-base.exe qt.conf translations/qtbase_ru.qm AboutTest.txt ПРОЧТИ.txt \
    platforms/qwindows.dll styles/qwindowsvistastyle.dll; do
    [ -f "$folder/$file" ] || fail "$file is not in the ZIP"
done
rm -f "$folder"/Tests/*.bse
# Answer 1 is chosen when a question shows: Enter alone answers the first and third questions right, the
# second wrong.
question() { printf '%s\r\n' "[QUESTION]=$1" 'ANSWER1=да' 'ANSWER2=нет' 'ANSWER3=NONE' 'ANSWER4=NONE' "flag=$2" 'HELP='; }
{
    printf '%s\r\n' '[ZorvantaBaseFile.2.0]' '  Проба' '        00:00:00' '               00:00:00'
    question 'Первый вопрос' 1
    question 'Второй вопрос' 2
    question 'Третий вопрос' 1
    printf '%s\r\n' 'SHOW_TIME=True' 'SHOW_QUESTIONTIME=True' 'SHOW_QUESTIONTEST=True' \
        'SHOW_FALSEANSWERS=True' 'SHOW_TRUEANSWERS=True' 'SHOW_num=True'
} | iconv -f UTF-8 -t CP1251 >"$folder/Tests/proba.bse"

# The examinee's keyboard is Russian: the name is typed with its keys.
setxkbmap ru
wine "$folder/zorvanta-test.exe" </dev/null >/dev/null 2>&1 &
chose=$(window "Выбор темы")
focused "$chose"
xdotool type --delay 100 "Петров"
import -window root "$(dirname "$zip")/selection-window.png"
# Held as long as a person holds it: the selection window is gone before the key comes up.
xdotool keydown Return
sleep 0.3
xdotool keyup Return
main=$(window "Проба")
focused "$main"
# Nothing outside the window shows that a question was answered: the presses come a second apart, as a
# person's would. The second is held for two seconds: the X server repeats it, Wine turns the repeats
# into repeated presses, and still only one answer is given.
xdotool key Return
sleep 1
xdotool keydown Return
sleep 2
xdotool keyup Return
sleep 1
result=$folder/Result.res
[ ! -e "$result" ] || fail "a held Enter answered more than one question"
xdotool key Return
for _ in $(seq 100); do
    [ -s "$result" ] && break
    sleep 0.2
done
expected=$(printf 'Петров=   1  1  1  True= 2  False= 1\r\n' | iconv -f UTF-8 -t CP1251 | od -An -tx1)
actual=$(od -An -tx1 "$result" 2>/dev/null || true)
[ "$actual" = "$expected" ] || fail "Result.res holds:$actual; expected:$expected"
echo "smoke run passed; the selection window: $(dirname "$zip")/selection-window.png"
