# kalvendo_add_test(name source... [LIBS lib...] [REALTIME])
# One Qt Test executable per area, registered with ctest, run headless and in German.
# REALTIME marks a test that talks to a live line at the meter's pace: the program tells
# frames apart by the pauses between them, so such a test runs alone, never beside another
# test that takes the cores and delays its reads (label "realtime").
function(kalvendo_add_test name)
    cmake_parse_arguments(ARG "REALTIME" "" "LIBS" ${ARGN})
    qt_add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
    set_target_properties(${name} PROPERTIES MACOSX_BUNDLE OFF WIN32_EXECUTABLE OFF)
    target_link_libraries(${name} PRIVATE Qt6::Test kalvendo_testsupport ${ARG_LIBS})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=de_DE.UTF-8;LC_ALL=de_DE.UTF-8;TZ=Europe/Berlin"
        TIMEOUT 600)
    if(ARG_REALTIME)
        set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE LABELS realtime)
    endif()
endfunction()
