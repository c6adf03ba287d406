#!/usr/bin/env bash
# Cross-builds the engine and its tests for 64-bit Windows with MinGW-w64 and runs every test under Wine,
# in a Wine prefix of its own that is removed afterwards. A failing test makes the exit non-zero.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-packages.sh cmake make g++-mingw-w64-x86-64-posix googletest wine wine64

cmake --preset windows-engine >/dev/null
cmake --build --preset windows-engine -j "$(nproc)"

WINEPREFIX=$(mktemp -d)
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT

# Windows keeps a read-only file from being written even by an administrator; Wine maps the read-only
# attribute to the file's write bits, which root would ignore, so root runs the tests without that right.
as_windows=()
if [ "$(id -u)" -eq 0 ]; then
    as_windows=(setpriv --bounding-set=-dac_override,-dac_read_search,-fowner)
fi

# One Wine server for the whole run. The prefix is set up first with its services' output going nowhere,
# so that no service started by a test keeps ctest waiting on that test's output.
"${as_windows[@]}" wineserver -p
"${as_windows[@]}" wine cmd /c exit </dev/null >/dev/null 2>&1
"${as_windows[@]}" ctest --preset windows-engine -j "$(nproc)" --no-tests=error

# Copies saving into one folder at once take turns through the Windows lock.
"${as_windows[@]}" scripts/stress-results.sh build-windows/tests/zt_stress_results.exe 6 30 3
