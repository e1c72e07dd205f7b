# Adds this folder's core sources to varnholt_core: every .cpp, where a file
# ending in _win32.cpp is built only for Windows and one ending in _posix.cpp
# only elsewhere.
function(varnholt_add_core_sources)
    file(GLOB all CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    foreach(src IN LISTS all)
        if(src MATCHES "_win32\\.cpp$")
            if(WIN32)
                target_sources(varnholt_core PRIVATE ${src})
            endif()
        elseif(src MATCHES "_posix\\.cpp$")
            if(NOT WIN32)
                target_sources(varnholt_core PRIVATE ${src})
            endif()
        else()
            target_sources(varnholt_core PRIVATE ${src})
        endif()
    endforeach()
endfunction()
