# GoogleTest for the unit tests: Debian's build for native builds; for a cross build (Windows, the
# browser), built here from Debian's sources (package googletest) with the cross compiler.
# Every test folder includes the module itself: gtest_discover_tests finds its helper script
# through a variable of the folder that included it.
include(GoogleTest)
if(TARGET GTest::gtest_main)
    return()
endif()

if(CMAKE_CROSSCOMPILING)
    set(googletest_source /usr/src/googletest)
    if(NOT EXISTS ${googletest_source}/CMakeLists.txt)
        message(FATAL_ERROR "Cross-built tests need GoogleTest's sources (Debian: googletest)")
    endif()
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    if(EMSCRIPTEN)
        set(gtest_disable_pthreads ON CACHE BOOL "" FORCE) # tests under Node run on one thread
    endif()
    add_subdirectory(${googletest_source} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    # GCC 12 warns of an overlapping copy inside GoogleTest's own string code that cannot happen.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        target_compile_options(gtest PRIVATE -Wno-restrict)
    endif()
    # GoogleTest 1.12 and later name their targets GTest::gtest and GTest::gtest_main themselves.
    if(NOT TARGET GTest::gtest)
        add_library(GTest::gtest ALIAS gtest)
        add_library(GTest::gtest_main ALIAS gtest_main)
    endif()
    if(EMSCRIPTEN)
        target_link_libraries(gtest_main INTERFACE quorel_node_program)
    endif()
else()
    find_package(GTest REQUIRED)
endif()
