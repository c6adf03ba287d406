#!/usr/bin/env bash
# Start-up time under Xvfb with openbox: from exec until the first window is viewable, for a bare Qt
# window, the selection window over 20 bases, and the question window of a base named on the command line:
# one of 10 questions, one of 100,000 and one of 100,000 without hints, all taken in turns. Prints the
# medians (and the processor time each program used until then) and the ratios to the bare window. The
# small base against the bare window is what the question window itself costs; the huge base against the
# small one is what reading and loading cost (bench_cold_load splits that further).
# Both run in a D-Bus session of their own, as on any desktop: without a session bus, Qt's accessibility
# bridge forks to look for one at every start, which costs a larger process more. ZT_NO_SESSION_BUS=1
# measures without one.
# Usage: bench/startup.sh [RUNS]   (default 15; needs the default preset configured)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}

scripts/install-packages.sh xvfb xauth openbox libx11-dev dbus-daemon
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] && [ -z "${ZT_NO_SESSION_BUS:-}" ]; then
    # The daemon's complaint that it may not raise its file limit is no failure.
    exec dbus-run-session -- "$0" "$@" 2> >(grep -v 'Failed to set fd limit' >&2)
fi
cmake --build --preset default -j 2 --target zorvanta-test bench_bare_window bench_startup_timer >/dev/null

display=
for n in $(seq 60 69); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
        display=:$n
        break
    fi
done
[ -n "$display" ] || { echo "no free display among :60 to :69" >&2; exit 1; }

work=$(mktemp -d)
Xvfb "$display" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "${wm:-}" "$xvfb" 2>/dev/null || true; rm -rf "$work"' EXIT
export DISPLAY=$display
for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X${display#:}" ] && break
    sleep 0.1
done
openbox >/dev/null 2>&1 &
wm=$!
sleep 1

# A base of Windows-1251 text with CR LF line ends: title, the number of questions, whether with hints.
make_base() {
    awk -v title="$1" -v n="$2" -v help="${3:-1}" 'BEGIN {
        ORS = "\r\n"
        print "[ZorvantaBaseFile.2.0]"; print "  " title
        print "        00:00:00"; print "               00:00:00"
        for (k = 1; k <= n; k++) {
            print "[QUESTION]=Вопрос номер " k " о чём-нибудь важном?"
            for (a = 1; a <= 4; a++) print "ANSWER" a "=Ответ " k "." a
            print "flag=" (k % 4 + 1); if (help) print "HELP=Подсказка к вопросу " k
        }
        split("SHOW_TIME SHOW_QUESTIONTIME SHOW_QUESTIONTEST SHOW_FALSEANSWERS SHOW_TRUEANSWERS SHOW_num", s, " ")
        for (i = 1; i <= 6; i++) print s[i] "=True"
    }' | iconv -f UTF-8 -t CP1251
}

program=$work/program
mkdir -p "$program/Tests"
cp build/bin/zorvanta-test build/bin/AboutTest.txt "$program/"
for k in $(seq -w 1 20); do
    make_base "Тема номер $k" 30 >"$program/Tests/topic$k.bse"
done
make_base "Сто тысяч вопросов" 100000 >"$work/huge.bse"
make_base "Сто тысяч вопросов без подсказок" 100000 0 >"$work/nohelp.bse"
make_base "Десять вопросов" 10 >"$work/small.bse"

# Each run gets a runtime folder of its own: the running-copy lock lives there.
timed() {
    local runtime status
    runtime=$(mktemp -d)
    chmod 700 "$runtime"
    status=0
    XDG_RUNTIME_DIR=$runtime build/bench/bench_startup_timer "$@" || status=$?
    rm -rf "$runtime"
    return $status
}

# The median of one column of the timer's lines (1: seconds to the window, 2: processor seconds).
median() { awk -v c="$1" '{ print $c }' | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

program_times=() bare_times=() small_times=() huge_times=() nohelp_times=()
timed "$program/zorvanta-test" >/dev/null # the first start of all warms the disk cache
for _ in $(seq "$runs"); do
    bare_times+=("$(timed build/bench/bench_bare_window)")
    program_times+=("$(timed "$program/zorvanta-test")")
    small_times+=("$(timed "$program/zorvanta-test" "$work/small.bse")")
    huge_times+=("$(timed "$program/zorvanta-test" "$work/huge.bse")")
    nohelp_times+=("$(timed "$program/zorvanta-test" "$work/nohelp.bse")")
done

bare_median=$(printf '%s\n' "${bare_times[@]}" | median 1)
report() { # label, timer lines
    local median
    median=$(printf '%s\n' "${@:2}" | median 1)
    printf '%-40s median %.3f s (processor %.3f s), %.2f times the bare window\n' "$1" "$median" \
        "$(printf '%s\n' "${@:2}" | median 2)" "$(awk -v a="$median" -v b="$bare_median" 'BEGIN { print a / b }')"
}
echo "medians of $runs runs in turns:"
report "bare Qt window:" "${bare_times[@]}"
report "selection window, 20 bases:" "${program_times[@]}"
report "question window, 10 questions:" "${small_times[@]}"
report "question window, 100,000 questions:" "${huge_times[@]}"
report "the same without hints:" "${nohelp_times[@]}"
small_median=$(printf '%s\n' "${small_times[@]}" | median 1)
huge_median=$(printf '%s\n' "${huge_times[@]}" | median 1)
nohelp_median=$(printf '%s\n' "${nohelp_times[@]}" | median 1)
# Where the time goes: the question window of a small base beyond a bare window, and the huge base's
# reading and loading beyond that, as far as the start does not hide them (bench_cold_load splits them).
printf '%-40s %.0f ms\n' "question window beyond the bare one:" \
    "$(awk -v a="$small_median" -v b="$bare_median" 'BEGIN { print (a - b) * 1000 }')"
printf '%-40s %.0f ms\n' "100,000 questions beyond 10:" \
    "$(awk -v a="$huge_median" -v b="$small_median" 'BEGIN { print (a - b) * 1000 }')"
printf '%-40s %.2f\n' "100,000 questions, ratio to the bare window:" \
    "$(awk -v a="$huge_median" -v b="$bare_median" 'BEGIN { print a / b }')"
printf '%-40s %.2f\n' "without hints, ratio to with hints:" \
    "$(awk -v a="$nohelp_median" -v b="$huge_median" 'BEGIN { print a / b }')"
