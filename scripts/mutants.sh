#!/usr/bin/env bash
# Plants each mistake of a list in turn (tests/mutants.txt unless LIST is given), rebuilds what it touches,
# runs the tests that were rebuilt against it and puts the file back; prints how many mistakes some test
# caught, and the ones none did. A mistake whose text is not found exactly once in its file is an error of
# the list, reported as such. The long stress run and the tests that need an X server are left out; a
# test that runs past its time counts as catching the mistake.
# A list line: file, exact text, replacement and an optional note, separated by tabs; '#' starts a
# comment, and ⏎ in a text stands for a line break. A note beginning "equivalent:" marks a mistake that
# no test can catch, with the reason: it is checked against the file but not planted or counted.
# Usage: scripts/mutants.sh [LIST] [FILTER]   (FILTER: only the lines that contain it)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
list=$(realpath "${1:-tests/mutants.txt}")
filter=${2:-}
# A build folder of its own, unless MUTANTS_BUILD names another (such as build, already built).
build=$(realpath -m "${MUTANTS_BUILD:-$root/build-mutants}")
timeout=${MUTANT_TEST_TIMEOUT:-60}

scripts/install-packages.sh cmake g++ ninja-build qt6-base-dev libgtest-dev ccache python3
if command -v ccache >/dev/null; then
    export CMAKE_CXX_COMPILER_LAUNCHER=ccache CMAKE_C_COMPILER_LAUNCHER=ccache
    export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$root")}
fi
# Optimised a little and without debug information: the build is relinked for every mistake.
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O1 -DNDEBUG" \
        -DZT_WITH_BENCH=OFF >/dev/null
fi
logs=$build/mutant-logs
mkdir -p "$logs"
export QT_QPA_PLATFORM=offscreen

# The tests ctest runs here with a program built here, each with that program; the long stress run left out.
ctest_tests() {
    ctest --test-dir "$build" --show-only=json-v1 | python3 -c '
import json, os, sys
for t in json.load(sys.stdin)["tests"]:
    command = t.get("command") or [""]
    if t["name"] != "results_stress" and command[0].startswith(sys.argv[1] + "/"):
        print(t["name"] + "\t" + os.path.basename(command[0]))' "$build"
}

# Everything once, so that ctest knows each test's program (the GoogleTest ones list their tests only once
# built); from then on only the programs that ctest runs.
echo "Building once..."
nice -n 19 cmake --build "$build" -j2 >"$logs/build.log" 2>&1 || {
    tail -30 "$logs/build.log"
    exit 1
}
mapfile -t programs < <(ctest_tests | cut -f2 | sort -u)
build_tests() { nice -n 19 cmake --build "$build" -j2 --target "${programs[@]}"; }
if [ -z "${MUTANTS_NO_BASELINE:-}" ]; then
    echo "Running them once unchanged..."
    if ! nice -n 19 ctest --test-dir "$build" -j2 --timeout "$timeout" -E '^results_stress$' \
        >"$logs/baseline.log" 2>&1; then
        tail -30 "$logs/baseline.log"
        echo "The tests fail without any mistake planted; fix them first." >&2
        exit 1
    fi
fi

# The tests whose program is newer than the stamp, as one ctest pattern.
rebuilt_tests() {
    local stamp=$1 names=()
    declare -A newer=()
    for p in "${programs[@]}"; do
        f=$(find "$build" -name "$p" -type f -newer "$stamp" -print -quit)
        [ -n "$f" ] && newer[$p]=1
    done
    while IFS=$'\t' read -r name program; do
        [ -n "${newer[$program]:-}" ] && names+=("$(printf '%s' "$name" | sed 's/[][\\.^$*+?(){}|]/\\&/g')")
    done < <(ctest_tests)
    [ ${#names[@]} -eq 0 ] && return
    local IFS='|'
    echo "^(${names[*]})\$"
}

# How often the text occurs in the file; with a replacement, writes the file with it put in.
occurrences() {
    python3 - "$@" <<'EOF'
import sys
path, text = sys.argv[1], sys.argv[2].replace("⏎", "\n")
data = open(path, encoding="utf-8", newline="").read()
count = data.count(text)
if len(sys.argv) > 3 and count == 1:
    open(path, "w", encoding="utf-8", newline="").write(data.replace(text, sys.argv[3].replace("⏎", "\n")))
print(count)
EOF
}

saved=$(mktemp)
current=
restore() {
    if [ -n "$current" ]; then
        cp "$saved" "$current"
        current=
    fi
}
trap 'restore; rm -f "$saved"' EXIT
trap 'restore; exit 130' INT TERM

caught=0 survived=() errors=() equivalent=0 number=0
start=$(date +%s)
while IFS= read -r line || [ -n "$line" ]; do
    [[ -z $line || $line == \#* ]] && continue
    [[ -n $filter && $line != *"$filter"* ]] && continue
    # A tab is blank to read, which would run an empty replacement into the note; a unit separator is not.
    IFS=$'\x1f' read -r file text replacement note <<<"${line//$'\t'/$'\x1f'}"
    number=$((number + 1))
    what="$file: $text → $replacement"
    if [ ! -f "$file" ]; then
        errors+=("$what (no such file)")
        continue
    fi
    count=$(occurrences "$file" "$text")
    if [ "$count" != 1 ]; then
        errors+=("$what (found $count times)")
        continue
    fi
    if [[ ${note:-} == equivalent:* ]]; then
        equivalent=$((equivalent + 1))
        continue
    fi

    cp "$file" "$saved"
    clean=$(git status --porcelain -- "$file")
    current=$file
    occurrences "$file" "$text" "$replacement" >/dev/null
    stamp=$logs/stamp
    touch "$stamp"
    log=$logs/$number.log
    result=
    if ! build_tests >"$log" 2>&1; then
        result="does not compile"
    else
        pattern=$(rebuilt_tests "$stamp")
        if [ -z "$pattern" ]; then
            result="survived"
        elif nice -n 19 ctest --test-dir "$build" -j2 --timeout "$timeout" --stop-on-failure \
            -R "$pattern" -E '^results_stress$' >>"$log" 2>&1; then
            result="survived"
        else
            result="caught"
        fi
    fi
    restore
    if ! cmp -s "$saved" "$file" || { [ -z "$clean" ] && ! git diff --quiet -- "$file"; }; then
        echo "Could not put $file back as it was; stopping." >&2
        exit 2
    fi
    case $result in
    caught) caught=$((caught + 1)) ;;
    survived) survived+=("$what") ;;
    *) errors+=("$what ($result; see $log)") ;;
    esac
    printf '%-8s %s\n' "$result" "$what"
done <"$list"

# Leave the tests built as the tree is.
build_tests >"$logs/build.log" 2>&1 || true

planted=$((caught + ${#survived[@]}))
echo
echo "Mistakes planted: $planted, caught: $caught, survived: ${#survived[@]}, equivalent: $equivalent," \
    "errors in the list: ${#errors[@]}; $(($(date +%s) - start)) s"
if [ "$planted" -gt 0 ]; then
    echo "Score: $((caught * 1000 / planted / 10)).$((caught * 1000 / planted % 10)) %"
fi
for s in "${survived[@]}"; do echo "SURVIVED $s"; done
for e in "${errors[@]}"; do echo "ERROR    $e"; done
[ ${#errors[@]} -eq 0 ]
