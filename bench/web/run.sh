#!/usr/bin/env bash
# Quorel.html against a bare page with the same controls and no WebAssembly (time from opening to
# the first paint; and, on a processor throttled to a phone's, to the calculator answering a
# press), and a button press in the page against the same press in the native form;
# both side by side in one run, with the same in-memory press in WebAssembly and the same press in
# the Qt face for reference. Builds what it needs: the web preset, native and WebAssembly Release
# builds of the form's press, and the bench preset's Qt press.
#   bash bench/web/run.sh [rounds]
set -euo pipefail
cd "$(dirname "$0")/../.."
rounds=${1:-30}

cmake --preset web >/dev/null
cmake --build build-web -j2 --target quorel_page quorel_web_tests
cmake -S . -B build-bench-web -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUOREL_BUILD_GUI=OFF \
      -DQUOREL_BUILD_TESTS=OFF -DQUOREL_BUILD_BENCH=ON >/dev/null
cmake --build build-bench-web -j2 --target native_press
cmake -S . -B build-bench-wasm -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUOREL_BUILD_GUI=OFF \
      -DQUOREL_BUILD_TESTS=OFF -DQUOREL_BUILD_BENCH=ON \
      -DCMAKE_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake >/dev/null
cmake --build build-bench-wasm -j2 --target native_press
cmake --preset bench >/dev/null
cmake --build build-bench -j2 --target qt_press

cp bench/web/page_bench.mjs bench/web/startup_bench.mjs bench/web/bare_page.mjs build-web/web/tests/
cd build-web/web/tests
node page_bench.mjs ../../Quorel.html ../../../build-bench-web/bench/web/native_press \
     ../../../build-bench-wasm/bench/web/native_press.js ../../../build-bench/bench/gui/qt_press "$rounds"
node startup_bench.mjs ../../Quorel.html "$rounds"
