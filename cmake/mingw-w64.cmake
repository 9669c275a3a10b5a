# Cross-builds the Windows program (x86-64) with Debian's mingw-w64 toolchain. The posix-threads
# compilers carry std::thread and friends, which the win32-threads ones lack. Tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUOREL_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QUOREL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUOREL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QUOREL_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUOREL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every program is one file that needs no DLL beyond the system's, the tests included, so Wine
# runs them straight from the build directory.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# ctest and gtest_discover_tests run the test programs through Wine.
find_program(QUOREL_WINE wine)
if(QUOREL_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR bash ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${QUOREL_WINE})
endif()
