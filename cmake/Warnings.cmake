# Every target of the project compiles with these warnings; a clean build shows none.
function(pellwise_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()

# Collects the .cpp files of a folder for one platform: *_win32.cpp only for
# Windows, *_posix.cpp only elsewhere, everything else on both.
function(pellwise_sources out dir)
    file(GLOB all CONFIGURE_DEPENDS ${dir}/*.cpp)
    set(result "")
    foreach(f IN LISTS all)
        get_filename_component(n ${f} NAME)
        if(n MATCHES "_win32(_test)?\\.cpp$" AND NOT WIN32)
            continue()
        endif()
        if(n MATCHES "_posix(_test)?\\.cpp$" AND WIN32)
            continue()
        endif()
        list(APPEND result ${f})
    endforeach()
    set(${out} ${result} PARENT_SCOPE)
endfunction()
