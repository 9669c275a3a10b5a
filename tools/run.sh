#!/usr/bin/env bash
# Builds Quorel (installing what is missing on Debian 12) and starts the calculator.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh run
cmake --preset release
cmake --build build-release -j"$(nproc)"
exec build-release/qt/Quorel
