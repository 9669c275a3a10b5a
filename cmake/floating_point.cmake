# Every floating-point operation rounds once, as written, on every processor. GCC and Clang fuse
# a * b + c into one multiply-add instruction wherever the target has one (arm64 does; x86-64
# without -mfma and WebAssembly do not), GCC even in ISO C++ mode, and a fused result can differ
# in its last bit. The core's results must be the same on every platform, so nothing is fused.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    add_compile_options(-ffp-contract=off)
endif()
