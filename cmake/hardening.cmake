# Hardening for every program and library built here with GCC or Clang: position-independent
# executables, full RELRO, stack protector, fortified libc calls and a non-executable stack.
if(MSVC)
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
