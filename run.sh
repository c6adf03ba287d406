#!/usr/bin/env bash
# Builds what changed and starts the program from its portable folder, on the sample tests.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
exec build/bin/zorvanta-test "$@"
