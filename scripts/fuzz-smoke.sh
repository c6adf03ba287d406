#!/usr/bin/env bash
# Builds the fuzz harnesses with clang and runs each for the given number of seconds on a copy of the seed
# corpus: the loader, and the teachers' tool (check, convert, result lines). Name harnesses to run only those.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_load fuzz_check)
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)" --target "${targets[@]}"
for target in "${targets[@]}"; do
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    cp fuzz/corpus/* "$work"/
    build-fuzz/fuzz/"$target" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 -timeout=10 \
        -print_final_stats=1 "$work"
    rm -rf "$work"
done
