# Hardening for every program and library built here with GCC or Clang. On Windows (mingw-w64):
# ASLR with 64-bit entropy, no-execute data and the stack protector. Elsewhere: position-independent
# executables, full RELRO, stack protector, fortified libc calls and a non-executable stack.
# WebAssembly needs none of it: its call stack lies outside the memory a program can address, and
# no loader maps its code.
if(MSVC OR EMSCRIPTEN)
    return()
endif()

if(WIN32)
    add_compile_options(-fstack-protector-strong)
    add_link_options(-fstack-protector-strong -Wl,--dynamicbase -Wl,--high-entropy-va
                     -Wl,--nxcompat)
    return()
endif()

include(CheckPIESupported)
check_pie_supported(LANGUAGES CXX)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

add_compile_options(-fstack-protector-strong)
# _FORTIFY_SOURCE needs optimisation; unoptimised Debug builds would only warn about it.
add_compile_options($<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE>)
add_compile_options($<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
add_link_options(-Wl,-z,relro -Wl,-z,now -Wl,-z,noexecstack)
