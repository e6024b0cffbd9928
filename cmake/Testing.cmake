# radar_test(NAME SOURCES ... LIBS ...): one test executable, one CTest entry.
# On the Windows target the executable runs under Wine (one process for all its cases:
# a Wine process start costs seconds); natively it runs under the sanitizers.
function(radar_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} radar_test_support)
    if(WIN32)
        # A Windows path: Wine maps drive Z: to the Linux root.
        set(report "Z:${RADAR_TEST_RESULTS}/${name}-win.xml")
        add_test(NAME win.${name} COMMAND ${RADAR_WINE} $<TARGET_FILE:${name}> --gtest_output=xml:${report})
    else()
        set(report "${RADAR_TEST_RESULTS}/${name}-native.xml")
        add_test(NAME native.${name} COMMAND ${name} --gtest_output=xml:${report})
    endif()
endfunction()
