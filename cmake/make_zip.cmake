# Packs FILES, in the order given, into the ZIP archive ZIP so that every build of one commit
# gives the same bytes: each file is stored under its own name with mode 644 and the commit's time
# (SOURCE_DATE_EPOCH if set, else the date of SOURCE_DIR's last commit), and the archive holds no
# owner, no access time and no folder entries. ZIP keeps local times: they are written as UTC.
#   cmake -DZIP=out.zip -DFILES="a;b" -DSOURCE_DIR=<source> -P make_zip.cmake
find_program(ZIP_PROGRAM zip)
find_program(TOUCH_PROGRAM touch)
if(NOT ZIP_PROGRAM OR NOT TOUCH_PROGRAM)
    message(FATAL_ERROR "make_zip: needs zip and touch (tools/install-deps.sh installs them)")
endif()

set(epoch "$ENV{SOURCE_DATE_EPOCH}")
if(epoch STREQUAL "")
    execute_process(COMMAND git -C "${SOURCE_DIR}" log -1 --format=%ct
                    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
if(NOT epoch MATCHES "^[0-9]+$")
    message(FATAL_ERROR "make_zip: no SOURCE_DATE_EPOCH and no git history in ${SOURCE_DIR}")
endif()

get_filename_component(zip_name "${ZIP}" NAME)
set(staging "${ZIP}.files")
file(REMOVE_RECURSE "${staging}")
file(REMOVE "${ZIP}")
file(MAKE_DIRECTORY "${staging}")
set(names)
foreach(file IN LISTS FILES)
    get_filename_component(name "${file}" NAME)
    file(COPY_FILE "${file}" "${staging}/${name}")
    file(CHMOD "${staging}/${name}" FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    execute_process(COMMAND ${TOUCH_PROGRAM} -d @${epoch} "${staging}/${name}"
                    COMMAND_ERROR_IS_FATAL ANY)
    list(APPEND names "${name}")
endforeach()

execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${ZIP_PROGRAM} -X -D -q -9 "${ZIP}" ${names}
                WORKING_DIRECTORY "${staging}" COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE_RECURSE "${staging}")
