#!/usr/bin/env bash
# Builds Quorel and runs every test: the unit and window tests (offscreen, no display needed),
# the packaging checks, the core's and the form's tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer, a bounded fuzzing run of the number reader and calculations, the
# Windows stage (Quorel.exe cross-built and tested under Wine), the web stage (the core and the
# form built for the browser and tested under Node, Quorel.html in headless Chromium) and the
# arm64 stage (cross-built, tested under qemu-user, its package's program started); last, the
# release files are built twice and must be the same bytes.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh test

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

echo "== Build and test"
cmake --preset default
cmake --build build -j"$jobs"
# The ten-million-sample rounding check (label "release") is for release day: ctest -L release.
ctest --test-dir build --output-on-failure -j"$jobs" -LE "release|fuzz"

echo "== Core and form tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset sanitize
cmake --build build-sanitize -j"$jobs"
ctest --test-dir build-sanitize --output-on-failure -j"$jobs" -LE "release|fuzz"

echo "== Fuzzing"
cmake --preset fuzz
cmake --build build-fuzz -j"$jobs"
ctest --test-dir build-fuzz --output-on-failure -L fuzz

echo "== Windows"
bash tools/test-windows.sh

echo "== Web"
bash tools/test-web.sh

echo "== arm64"
bash tools/test-arm64.sh

echo "== Release files built twice from this commit are the same bytes"
bash tools/test-reproducible.sh
