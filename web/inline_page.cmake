cmake_minimum_required(VERSION 3.25)

# Makes Quorel.html from its template: the style sheet and the script (the WebAssembly module
# followed by the page's own script) are put inline, and the Content-Security-Policy allows
# exactly these two by their SHA-256 hashes, and nothing else.
#   cmake -DTEMPLATE= -DSTYLE= -DMODULE= -DFACE= -DOUTPUT= -P inline_page.cmake

# A CSP source names a hash in base64; CMake gives it in hex.
function(hex_to_base64 hex out)
    set(alphabet "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/")
    string(LENGTH "${hex}" length)
    set(result "")
    set(i 0)
    while(i LESS length)
        string(SUBSTRING "${hex}" ${i} 6 group)
        string(LENGTH "${group}" groupLength)
        set(padding "")
        if(groupLength EQUAL 4)
            string(APPEND group "00")
            set(padding "=")
        elseif(groupLength EQUAL 2)
            string(APPEND group "0000")
            set(padding "==")
        endif()
        math(EXPR value "0x${group}")
        foreach(shift 18 12 6 0)
            math(EXPR index "(${value} >> ${shift}) & 63")
            string(SUBSTRING "${alphabet}" ${index} 1 char)
            string(APPEND result "${char}")
        endforeach()
        if(padding STREQUAL "=")
            string(REGEX REPLACE ".$" "=" result "${result}")
        elseif(padding STREQUAL "==")
            string(REGEX REPLACE "..$" "==" result "${result}")
        endif()
        math(EXPR i "${i} + 6")
    endwhile()
    set(${out} "${result}" PARENT_SCOPE)
endfunction()

function(csp_hash text out)
    string(SHA256 hex "${text}")
    hex_to_base64(${hex} base64)
    set(${out} "'sha256-${base64}'" PARENT_SCOPE)
endfunction()

file(READ ${TEMPLATE} page)
file(READ ${STYLE} style)
file(READ ${MODULE} module)
file(READ ${FACE} face)

# The module would first try to fetch its own embedded WebAssembly (a data: URL), which the policy
# refuses; without a fetch in its scope it decodes the embedded copy directly.
set(script "\nconst QuorelModule = (() => {\nconst fetch = undefined;\n${module}\nreturn QuorelModule;\n})();\n${face}\n")
string(FIND "${script}" "</script" closing)
if(NOT closing EQUAL -1)
    message(FATAL_ERROR "The page's script contains </script and cannot be put inline")
endif()

csp_hash("${script}" script_hash)
csp_hash("${style}" style_hash)

string(REPLACE "@SCRIPT_HASH@" "${script_hash}" page "${page}")
string(REPLACE "@STYLE_HASH@" "${style_hash}" page "${page}")
string(REPLACE "@STYLE@" "${style}" page "${page}")
string(REPLACE "@SCRIPT@" "${script}" page "${page}")
file(WRITE ${OUTPUT} "${page}")
