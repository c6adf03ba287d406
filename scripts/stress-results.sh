#!/usr/bin/env bash
# Many copies of the program saving results into one folder at the same instant: PROCS processes of
# SAVES saves each, ROUNDS rounds, each round from a result file of 90 lines so that the 100-line restart
# happens again and again during the burst. Every line must be kept exactly once. Then a copy holding the
# lock makes a save give up after its wait, and once it is killed a save goes through at once.
# PROGRAM is zt_stress_results, or zt_stress_results.exe, which runs under Wine.
# Usage: scripts/stress-results.sh PROGRAM [PROCS [SAVES [ROUNDS]]]
set -euo pipefail
program=$1 procs=${2:-16} saves=${3:-50} rounds=${4:-10}
run=("$program")
if [[ $program == *.exe ]]; then
    run=(wine "$program")
fi
work=$(mktemp -d)
holder=
trap '[ -z "$holder" ] || kill -9 "$holder" 2>/dev/null; rm -rf "$work"' EXIT

ms() { echo $(($(date +%s%N) / 1000000)); }

for round in $(seq "$rounds"); do
    folder=$work/$round barrier=$work/go$round
    "${run[@]}" prepare "$folder"
    pids=()
    for p in $(seq 0 $((procs - 1))); do
        "${run[@]}" save "$folder" "$p" "$saves" "$barrier" &
        pids+=($!)
    done
    # Every copy is up and waiting before the barrier opens.
    until [ "$(find "$work" -maxdepth 1 -name "go$round.*" | wc -l)" -eq "$procs" ]; do sleep 0.01; done
    start=$(ms)
    touch "$barrier"
    failed=0
    for pid in "${pids[@]}"; do wait "$pid" || failed=1; done
    took=$(($(ms) - start))
    echo -n "round $round: $((procs * saves)) saves in $took ms; "
    "${run[@]}" check "$folder" "$procs" "$saves"
    [ "$failed" -eq 0 ]
done

folder=$work/held
"${run[@]}" prepare "$folder"
touch "$work/open"
"${run[@]}" hold "$folder" >"$work/holding" &
holder=$!
until grep -qs held "$work/holding"; do
    kill -0 "$holder"
    sleep 0.01
done
start=$(ms)
if "${run[@]}" save "$folder" 0 1 "$work/open" 2>/dev/null; then
    echo "a save went through while another copy held the lock" >&2
    exit 1
fi
echo "a save gave up after $(($(ms) - start)) ms while another copy held the lock"
kill -9 "$holder"
wait "$holder" 2>/dev/null || true
holder=
start=$(ms)
"${run[@]}" save "$folder" 0 1 "$work/open"
echo "once that copy was killed, a save took $(($(ms) - start)) ms"
