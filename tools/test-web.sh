#!/usr/bin/env bash
# The web stage: builds the core and the form for the browser (Emscripten, preset "web") with the
# page Quorel.html, and runs their tests: the core's and the form's unit tests under Node, the
# differential runs of the WebAssembly core and of the same translated to JavaScript against the
# native one, and the browser tests that drive Quorel.html in Chromium, Firefox and WebKit. Needs
# what tools/install-deps.sh test installs.
#   tools/test-web.sh
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS
build=build-web
jobs=$(nproc)

echo "== Web: build"
cmake --preset web >/dev/null
cmake --build "$build" -j"$jobs"

echo "== Web: tests under Node and in Chromium, Firefox and WebKit"
# The long differential run (label "release") is for release day: ctest -L release.
ctest --test-dir "$build" --output-on-failure -j"$jobs" -LE release

ls -l "$build/Quorel.html"
echo "== Web stage done in $((SECONDS - started)) s"
