# Cross-builds Quorel for 64-bit ARM Linux (Debian's arm64) with Debian's cross compiler, against
# the arm64 libraries installed beside the build machine's own (multiarch: Qt, GoogleTest's
# sources, MPFR). Tests and build-time tools run under user-mode emulation (qemu-aarch64-static);
# the arm64 C library installed by multiarch is where the emulated programs find their loader.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)

set(QUOREL_CROSS_TRIPLE aarch64-linux-gnu)
set(CMAKE_C_COMPILER ${QUOREL_CROSS_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${QUOREL_CROSS_TRIPLE}-g++)
# The multiarch folders (/usr/lib/aarch64-linux-gnu, /usr/include/aarch64-linux-gnu) are found
# through CMAKE_LIBRARY_ARCHITECTURE, which CMake takes from the compiler.

# Qt's tools (moc, uic) are the build machine's own, of the same Qt version.
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/${CMAKE_HOST_SYSTEM_PROCESSOR}-linux-gnu/cmake)

# The package is labelled for the machine it runs on, not the one that built it.
set(QUOREL_DEB_ARCHITECTURE arm64)

# ctest, gtest_discover_tests and build-time tools run the arm64 programs under emulation.
find_program(QUOREL_QEMU_AARCH64 qemu-aarch64-static)
if(QUOREL_QEMU_AARCH64)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${QUOREL_QEMU_AARCH64})
endif()
