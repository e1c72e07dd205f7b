# The portable core is one library per folder, each linking only the ones it
# names (docs/architecture.md draws them):
#
#   base <- platform <- sync, schedule (base only), settings <- i18n
#
# (framework, app and launcher come above them, and the PowerClass facade
# varnholt_power above settings and sync; tests/check-include-order.py keeps
# the #include lines to these links.) varnholt_core gathers the folder
# libraries for the program and the tests.
#
# varnholt_add_core_library(<folder> [DEPENDS <libraries...>]
#                           [EXCLUDE <file names...>]) makes varnholt_<folder>
# from every .cpp of the folder but the excluded ones (built by a library of
# their own), where a file ending in _win32.cpp is built only for Windows and
# one ending in _posix.cpp only elsewhere.
function(varnholt_add_core_library folder)
    cmake_parse_arguments(L "" "" "DEPENDS;EXCLUDE" ${ARGN})
    file(GLOB all CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    foreach(name IN LISTS L_EXCLUDE)
        list(REMOVE_ITEM all ${CMAKE_CURRENT_SOURCE_DIR}/${name})
    endforeach()
    set(sources)
    foreach(src IN LISTS all)
        if(src MATCHES "_win32\\.cpp$")
            if(WIN32)
                list(APPEND sources ${src})
            endif()
        elseif(src MATCHES "_posix\\.cpp$")
            if(NOT WIN32)
                list(APPEND sources ${src})
            endif()
        else()
            list(APPEND sources ${src})
        endif()
    endforeach()
    add_library(varnholt_${folder} STATIC ${sources})
    target_include_directories(varnholt_${folder} PUBLIC ${PROJECT_SOURCE_DIR})
    target_compile_options(varnholt_${folder} PRIVATE ${VARNHOLT_WARNINGS})
    target_link_libraries(varnholt_${folder} PUBLIC ${L_DEPENDS})
endfunction()
