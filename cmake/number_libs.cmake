# The two header-only libraries the core reads and writes numbers with, the same on every
# platform: fast_float (decimal text to double, correctly rounded) and {fmt} (double to text).
# Gives the target quorel_number_libs.
#
# A cross compiler (mingw-w64, Emscripten) must never see the build machine's /usr/include: the C
# library headers there would shadow its own. So the two libraries' folders are copied into a
# folder of the build tree that holds nothing else, and that folder is the include path.
if(TARGET quorel_number_libs)
    return()
endif()

set(QUOREL_NUMBER_LIBS_SOURCE /usr/include CACHE PATH
    "Folder holding fast_float/ and fmt/ (Debian: libfast-float-dev libfmt-dev)")
if(NOT EXISTS ${QUOREL_NUMBER_LIBS_SOURCE}/fast_float/fast_float.h
   OR NOT EXISTS ${QUOREL_NUMBER_LIBS_SOURCE}/fmt/format.h)
    message(FATAL_ERROR "Reading and writing numbers needs fast_float and {fmt} in "
                        "${QUOREL_NUMBER_LIBS_SOURCE} (Debian: libfast-float-dev libfmt-dev)")
endif()

set(quorel_number_libs_include ${PROJECT_BINARY_DIR}/number-libs/include)
file(COPY ${QUOREL_NUMBER_LIBS_SOURCE}/fast_float ${QUOREL_NUMBER_LIBS_SOURCE}/fmt
     DESTINATION ${quorel_number_libs_include})

add_library(quorel_number_libs INTERFACE)
target_include_directories(quorel_number_libs SYSTEM INTERFACE ${quorel_number_libs_include})
# Numbers are written the same whatever the process's locale: with a fixed separator for the
# locale-aware formats (which Quorel does not use), {fmt} never reaches for std::locale, and the
# WebAssembly module carries none of the C++ locale machinery.
target_compile_definitions(quorel_number_libs INTERFACE FMT_HEADER_ONLY
                           "FMT_STATIC_THOUSANDS_SEPARATOR=','")
