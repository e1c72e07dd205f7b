# Compiles the help project with chmcmd and fails on any error or warning.
#   cmake -DCHMCMD=... -DPROJECT_FILE=.../help.hhp -DOUTPUT=.../help.chm -P compile-help.cmake
# chmcmd reads the pages beside the project file and writes the file named by
# "Compiled file=" into its working folder, so it runs in OUTPUT's folder. It
# reports missing pages and broken links as warnings and still exits 0, so its
# output is read too. A failed build leaves no help.chm behind.

foreach(var CHMCMD PROJECT_FILE OUTPUT)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "compile-help.cmake: ${var} is not set")
    endif()
endforeach()

get_filename_component(out_dir "${OUTPUT}" DIRECTORY)
get_filename_component(out_name "${OUTPUT}" NAME)
file(READ "${PROJECT_FILE}" project_text)
if(NOT project_text MATCHES "\nCompiled file=${out_name}[\r\n]")
    message(FATAL_ERROR "${PROJECT_FILE} must say \"Compiled file=${out_name}\"")
endif()

file(REMOVE "${OUTPUT}")
execute_process(
    COMMAND "${CHMCMD}" "${PROJECT_FILE}"
    WORKING_DIRECTORY "${out_dir}"
    RESULT_VARIABLE result
    OUTPUT_VARIABLE out
    ERROR_VARIABLE out)

string(REGEX MATCHALL "(^|\n)(Error|Warning)[^\n]*" problems "${out}")
if(NOT result EQUAL 0 OR problems OR NOT EXISTS "${OUTPUT}")
    file(REMOVE "${OUTPUT}")
    message(FATAL_ERROR "chmcmd could not compile ${PROJECT_FILE} cleanly (exit code ${result}):\n${out}")
endif()
