#!/usr/bin/env bash
# Builds what changed and runs the whole suite; a failure anywhere makes the exit non-zero.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
ctest --preset default -j "$(nproc)"
