#!/usr/bin/env bash
# The Windows stage: cross-builds Quorel.exe with its tests (mingw-w64), checks the exe's imports,
# size and hardening, runs the core, form and face tests and the window tests under Wine, and
# packs and checks the Windows ZIP. Wine runs in a fresh prefix on its own Xvfb display, as a
# Chinese (PRC) system. Needs what tools/install-deps.sh test installs.
#   tools/test-windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS
build=build-windows
jobs=$(nproc)

echo "== Windows: build"
cmake --preset windows >/dev/null
cmake --build "$build" -j"$jobs"

echo "== Windows: a fresh Wine prefix on its own display"
. tools/wine-env.sh
# The first program also starts Wine's services, which would eat into the test discovery's time
# limit.
wine "$build/win32/tests/win32_tests.exe" --gtest_list_tests >/dev/null
echo "prefix ready after $((SECONDS - started)) s"

echo "== Windows: tests under Wine"
ctest --test-dir "$build" --output-on-failure -j"$jobs"

echo "== Windows stage done in $((SECONDS - started)) s"
