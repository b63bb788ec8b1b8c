# What makes a target a shipped binary: a version resource that names it, and,
# once linked, its debug information moved into <file>.debug beside it. The
# stripped binary, which tests start and the installer packs, keeps a link to
# that file (.gnu_debuglink), by which gdb and addr2line find it.
function(lumora_shipped_binary target description)
    get_target_property(name ${target} OUTPUT_NAME)
    if(NOT name)
        set(name ${target})
    endif()
    get_target_property(type ${target} TYPE)
    if(type STREQUAL SHARED_LIBRARY)
        set(file_name ${name}${CMAKE_SHARED_LIBRARY_SUFFIX})
        set(file_type VFT_DLL)
    else()
        set(file_name ${name}${CMAKE_EXECUTABLE_SUFFIX})
        set(file_type VFT_APP)
    endif()
    set(version_rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
    configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/version_info.rc.in ${version_rc} @ONLY)
    target_sources(${target} PRIVATE ${version_rc})

    # objcopy stamps the files it writes with the time, or SOURCE_DATE_EPOCH:
    # 0, as the linker left it.
    set(binary $<TARGET_FILE:${target}>)
    set(objcopy ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0 ${CMAKE_OBJCOPY})
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${objcopy} --only-keep-debug ${binary} ${binary}.debug
        COMMAND ${objcopy} --strip-all --add-gnu-debuglink=${binary}.debug ${binary}
        COMMENT "Keeping the debug information of ${file_name} in ${file_name}.debug"
        VERBATIM)
endfunction()

# The shipped binaries of installer/shipped_binaries.txt: their files,
# targets and the installer's defines, in three lists of the same order.
function(lumora_shipped_binaries files targets defines)
    file(STRINGS ${PROJECT_SOURCE_DIR}/installer/shipped_binaries.txt lines REGEX "^[^#]")
    set(file_list "")
    set(target_list "")
    set(define_list "")
    foreach(line IN LISTS lines)
        separate_arguments(fields UNIX_COMMAND "${line}")
        list(GET fields 0 file)
        list(GET fields 1 target)
        list(GET fields 2 define)
        list(APPEND file_list ${file})
        list(APPEND target_list ${target})
        list(APPEND define_list ${define})
    endforeach()
    set(${files} ${file_list} PARENT_SCOPE)
    set(${targets} ${target_list} PARENT_SCOPE)
    set(${defines} ${define_list} PARENT_SCOPE)
endfunction()
