# Run at install time: copies beside the programs every DLL that they and their plugins load, and no other,
# from Qt's and the compiler's folders; the system's own DLLs stay out. Fails on a DLL found nowhere.
# Set by the caller: ZT_BINARIES (the installed programs and plugins), ZT_DLL_DIRS (where to look),
# ZT_SYSTEM_DLL_DIR (the system's DLLs; in a cross build Wine's copies of them), ZT_LOOKUP_DIR (scratch),
# ZT_STRIP (the strip tool, when there is one: the DLLs come with their debugging information).
set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
if(NOT CMAKE_HOST_WIN32)
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND x86_64-w64-mingw32-objdump)
endif()

# Windows looks DLL names up without regard to case, the lookup here by their lower-case names: away
# from Windows each folder is seen through links named in lower case.
set(dirs ${ZT_DLL_DIRS} ${ZT_SYSTEM_DLL_DIR})
if(NOT CMAKE_HOST_WIN32)
    file(REMOVE_RECURSE "${ZT_LOOKUP_DIR}")
    set(dirs "")
    set(index 0)
    foreach(dir IN LISTS ZT_DLL_DIRS ZT_SYSTEM_DLL_DIR)
        file(GLOB dlls "${dir}/*.dll")
        foreach(dll IN LISTS dlls)
            get_filename_component(name "${dll}" NAME)
            string(TOLOWER "${name}" name)
            file(MAKE_DIRECTORY "${ZT_LOOKUP_DIR}/${index}")
            file(CREATE_LINK "${dll}" "${ZT_LOOKUP_DIR}/${index}/${name}" SYMBOLIC)
        endforeach()
        list(APPEND dirs "${ZT_LOOKUP_DIR}/${index}")
        math(EXPR index "${index} + 1")
    endforeach()
endif()

file(GET_RUNTIME_DEPENDENCIES
    EXECUTABLES ${ZT_BINARIES}
    DIRECTORIES ${dirs}
    PRE_EXCLUDE_REGEXES "^api-ms-" "^ext-ms-"
    RESOLVED_DEPENDENCIES_VAR found
    UNRESOLVED_DEPENDENCIES_VAR missing
    CONFLICTING_DEPENDENCIES_PREFIX conflicting)
if(missing OR conflicting_FILENAMES)
    message(FATAL_ERROR "DLLs not found: ${missing}; found twice: ${conflicting_FILENAMES}")
endif()
file(REAL_PATH "${ZT_SYSTEM_DLL_DIR}" system)
string(TOLOWER "${system}/" system)
foreach(dll IN LISTS found)
    file(REAL_PATH "${dll}" dll)
    string(TOLOWER "${dll}" lower)
    string(FIND "${lower}" "${system}" at)
    if(NOT at EQUAL 0)
        file(INSTALL "${dll}" DESTINATION "${CMAKE_INSTALL_PREFIX}")
        get_filename_component(name "${dll}" NAME)
        list(APPEND ZT_BINARIES "${CMAKE_INSTALL_PREFIX}/${name}")
    endif()
endforeach()
if(ZT_STRIP)
    foreach(binary IN LISTS ZT_BINARIES)
        execute_process(COMMAND "${ZT_STRIP}" --strip-unneeded "${binary}" COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
endif()
