# Test programs: GoogleTest natively from the system, for Windows built from its
# sources; the Windows programs run under Wine in a private session (Xvfb + prefix).
if(CMAKE_CROSSCOMPILING)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    target_link_options(gtest PUBLIC -static)

    set(WINE_STATE_DIR ${CMAKE_BINARY_DIR}/wine)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/cmake/wine-run.sh ${WINE_STATE_DIR})
    add_test(NAME wine.start COMMAND ${PROJECT_SOURCE_DIR}/cmake/wine-session.sh start ${WINE_STATE_DIR})
    add_test(NAME wine.stop COMMAND ${PROJECT_SOURCE_DIR}/cmake/wine-session.sh stop ${WINE_STATE_DIR})
    set_tests_properties(wine.start PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
    set_tests_properties(wine.stop PROPERTIES FIXTURES_CLEANUP wine)
else()
    find_package(GTest REQUIRED)
endif()

# The Windows test programs run under the tests' page heap (tests/support/PageHeap):
# every block ends at an inaccessible page and freed blocks stay inaccessible for a
# while, so that a use past a block or after its release ends the test with a report.
set(CONVERTER_PAGE_HEAP ${PROJECT_SOURCE_DIR}/tests/support/PageHeap.cpp)

# converter_add_test(NAME [NO_PAGE_HEAP] SOURCES... LIBRARIES...): one test program, one
# ctest entry. NO_PAGE_HEAP: for a program that brings allocation functions of its own.
function(converter_add_test name)
    cmake_parse_arguments(ARG "NO_PAGE_HEAP" "" "SOURCES;LIBRARIES" ${ARGN})
    if(CMAKE_CROSSCOMPILING AND NOT ARG_NO_PAGE_HEAP)
        list(APPEND ARG_SOURCES ${CONVERTER_PAGE_HEAP})
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest_main converter_options)
    add_test(NAME ${name} COMMAND ${name})
    if(CMAKE_CROSSCOMPILING)
        set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine)
    endif()
endfunction()
