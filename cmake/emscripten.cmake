# Settings for the browser build (Emscripten, with Debian's em++). Included from the top level
# before any target is made.

# Every optimised em++ link runs JavaScript tools (acorn) that Debian installs in its own Node
# module folder, which a Node from elsewhere does not search.
set(QUOREL_NODE_PATH /usr/share/nodejs CACHE PATH "Node modules em++ needs at link time")
set(ENV{NODE_PATH} ${QUOREL_NODE_PATH})
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=${QUOREL_NODE_PATH})

# A test program runs under Node (CMAKE_CROSSCOMPILING_EMULATOR, set by Emscripten's toolchain
# file): one .js file with the WebAssembly inside, since Node 20's fetch cannot load a separate
# .wasm file by its path; the runtime ends with main, so Node exits with main's status.
add_library(quorel_node_program INTERFACE)
target_link_options(quorel_node_program INTERFACE -sSINGLE_FILE=1 -sEXIT_RUNTIME=1
                    -sALLOW_MEMORY_GROWTH=1)
