#!/usr/bin/env bash
# Peak memory and time of the teachers' tool on huge inputs, each in a fresh process: "results" (table and
# --csv) on a 200 MB result file, "check" on a 50 MB base of 4.5 million tiny questions, and both on 20 MB
# of bare CR. Prints each run's peak resident memory against the allowance of twice the input plus 64 MB.
# Usage: bench/tool_memory.sh   (needs the default preset configured)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-packages.sh time
cmake --build --preset default -j 2 --target zorvanta-base >/dev/null
tool=$PWD/build/bin/zorvanta-base
[ -x "$tool" ] || tool=$PWD/build/src/zorvanta-base

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# 200 MB of result lines: a Russian name, 20 answers, the two counts.
awk 'BEGIN {
    ORS = "\r\n"
    for (n = 0; n < 2000000; n++) {
        line = "Ученик номер " n "= "
        right = 0
        for (q = 1; q <= 20; q++) { a = (n + q) % 5; line = line "  " a; if (a == 1) right++ }
        print line "  True= " right "  False= " (20 - right)
    }
}' | iconv -f UTF-8 -t CP1251 >"$work/Result.res"
# 4.5 million questions of one line each, every one taking the one flag= and the settings after them.
{
    printf '[ZorvantaBaseFile.2.0]\r  Tiny\r        00:00:00\r               00:00:00\r'
    awk 'BEGIN { ORS = "\r"; for (k = 0; k < 4500000; k++) print "[QUESTION]" }'
    printf 'flag=1\rSHOW_TIME=1\rSHOW_QUESTIONTIME=1\rSHOW_QUESTIONTEST=1\r'
    printf 'SHOW_FALSEANSWERS=1\rSHOW_TRUEANSWERS=1\rSHOW_num=1\r'
} >"$work/tiny.bse"
head -c 20000000 /dev/zero | tr '\0' '\r' >"$work/crs.bse"
cp "$work/crs.bse" "$work/crs.res"

run() { # label, input, tool arguments
    local label=$1 input=$2 size peak seconds
    shift 2
    size=$(stat -c %s "$input")
    cat "$input" >/dev/null # in the page cache, as a second look at a file finds it
    /usr/bin/time -f '%M %e' -o "$work/time" "$tool" "$@" >"$work/out" 2>"$work/err" || true
    read -r peak seconds < <(tail -1 "$work/time") # after any line on the exit status
    printf '%-27s input %5.1f MB  peak %7.1f MB  allowed %6.1f MB  %6.2f s  out %6.1f MB  errors %d\n' \
        "$label" "$(awk -v s="$size" 'BEGIN { print s / 1e6 }')" \
        "$(awk -v k="$peak" 'BEGIN { print k * 1024 / 1e6 }')" \
        "$(awk -v s="$size" 'BEGIN { print (2 * s + 64 * 1048576) / 1e6 }')" "$seconds" \
        "$(awk -v s="$(stat -c %s "$work/out")" 'BEGIN { print s / 1e6 }')" "$(wc -l <"$work/err")"
}
run "results, table" "$work/Result.res" results "$work/Result.res"
run "results --csv" "$work/Result.res" results --csv "$work/Result.res"
run "check, 4.5 M questions" "$work/tiny.bse" check "$work/tiny.bse"
run "check, 20 MB of bare CR" "$work/crs.bse" check "$work/crs.bse"
run "results, 20 MB of bare CR" "$work/crs.res" results "$work/crs.res"
