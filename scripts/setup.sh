#!/usr/bin/env bash
# Installs what the build needs (when missing), then configures and builds the default preset.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-packages.sh cmake g++ make qt6-base-dev qt6-base-dev-tools libgl-dev libxcb-shape0-dev pkg-config \
    libgtest-dev libbenchmark-dev clang libclang-rt-14-dev qt6-translations-l10n fonts-liberation fonts-comic-neue \
    fonts-comfortaa fonts-dejavu-core desktop-file-utils shared-mime-info libglib2.0-bin

cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)"
