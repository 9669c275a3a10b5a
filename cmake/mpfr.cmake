# MPFR (with GMP beneath it), the exact arithmetic the rounding tests and the fuzz targets
# compare the core against. Gives the imported target quorel::mpfr; nothing shipped uses it.
if(TARGET quorel::mpfr)
    return()
endif()

find_path(MPFR_INCLUDE_DIR mpfr.h)
find_library(MPFR_LIBRARY mpfr)
find_library(GMP_LIBRARY gmp)
if(NOT MPFR_INCLUDE_DIR OR NOT MPFR_LIBRARY OR NOT GMP_LIBRARY)
    message(FATAL_ERROR "The rounding checks need MPFR and GMP (Debian: libmpfr-dev libgmp-dev)")
endif()

add_library(quorel::mpfr INTERFACE IMPORTED)
target_include_directories(quorel::mpfr SYSTEM INTERFACE ${MPFR_INCLUDE_DIR})
target_link_libraries(quorel::mpfr INTERFACE ${MPFR_LIBRARY} ${GMP_LIBRARY})
