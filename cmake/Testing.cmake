# radar_test(NAME [WITH_SERVICE] SOURCES ... LIBS ...): one test executable, one CTest entry.
# WITH_SERVICE runs it with the local tracking service listening (RADAR_TEST_SERVICE).
# On the Windows target the executable runs under Wine (one process for all its cases:
# a Wine process start costs seconds); natively it runs under the sanitizers.
function(radar_test name)
    cmake_parse_arguments(T "WITH_SERVICE" "" "SOURCES;LIBS" ${ARGN})
    set(launcher)
    if(T_WITH_SERVICE)
        set(launcher ${PROJECT_SOURCE_DIR}/tools/with-tracking-service.sh ${RADAR_TRACKING_SERVICE} --)
    endif()
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} radar_test_support)
    if(WIN32)
        # A Windows path: Wine maps drive Z: to the Linux root.
        set(report "Z:${RADAR_TEST_RESULTS}/${name}-win.xml")
        add_test(NAME win.${name} COMMAND ${launcher} ${RADAR_WINE} $<TARGET_FILE:${name}> --gtest_output=xml:${report})
    else()
        set(report "${RADAR_TEST_RESULTS}/${name}-native.xml")
        add_test(NAME native.${name} COMMAND ${launcher} $<TARGET_FILE:${name}> --gtest_output=xml:${report})
    endif()
endfunction()
