# What every Windows target of the tree compiles with: the wide (…W) API under its plain names,
# no min/max macros, and Windows 7 as the oldest system (newer functions are looked up at run
# time). Programs whose entry point is wWinMain or wmain link quorel_windows_program as well.
add_library(quorel_windows_api INTERFACE)
target_compile_definitions(quorel_windows_api INTERFACE UNICODE _UNICODE NOMINMAX
                           _WIN32_WINNT=0x0601 WINVER=0x0601)

add_library(quorel_windows_program INTERFACE)
target_compile_options(quorel_windows_program INTERFACE -municode)
target_link_options(quorel_windows_program INTERFACE -municode)
target_link_libraries(quorel_windows_program INTERFACE quorel_windows_api)
