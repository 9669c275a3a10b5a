# The same source gives the same bytes wherever and whenever it is built: file names compiled
# into the programs (assert messages, __FILE__, debug records) are relative to the source and
# build folders, and Windows programs carry no link time in their headers (their checksum then
# stays the same too). Time stamps in the packages come from SOURCE_DATE_EPOCH, see
# tools/release.sh.
if(MSVC)
    return()
endif()

# The last matching map wins, so a build folder inside the source folder is mapped as itself.
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.
                    -ffile-prefix-map=${PROJECT_BINARY_DIR}=.)

if(WIN32)
    add_link_options(-Wl,--no-insert-timestamp)
endif()

# Installed folders get the same permissions whatever the builder's umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
    GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
