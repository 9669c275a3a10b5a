# Correct-rounding checks of the core against MPFR, a dependency of these tests only.
# Included from core/tests/CMakeLists.txt.
#
#   exact_rounding          every run, a few hundred thousand samples
#   exact_rounding_release  label "release": ten million samples, run before a release with
#                           ctest -L release (exclude it from routine runs with -LE release)

find_path(MPFR_INCLUDE_DIR mpfr.h)
find_library(MPFR_LIBRARY mpfr)
find_library(GMP_LIBRARY gmp)
if(NOT MPFR_INCLUDE_DIR OR NOT MPFR_LIBRARY OR NOT GMP_LIBRARY)
    message(FATAL_ERROR "The rounding tests need MPFR and GMP (Debian: libmpfr-dev libgmp-dev)")
endif()
find_package(GTest REQUIRED)

add_executable(exact_rounding_test exact_rounding_test.cpp)
target_include_directories(exact_rounding_test SYSTEM PRIVATE ${MPFR_INCLUDE_DIR})
target_link_libraries(exact_rounding_test PRIVATE quorel_core GTest::gtest ${MPFR_LIBRARY}
                                                  ${GMP_LIBRARY})

add_test(NAME exact_rounding COMMAND exact_rounding_test)
add_test(NAME exact_rounding_release COMMAND exact_rounding_test --samples=10000000 --seed=7)
set_tests_properties(exact_rounding_release PROPERTIES LABELS release TIMEOUT 3600)
