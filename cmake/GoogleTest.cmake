# GoogleTest is built from Debian's source package, so the same version serves
# the native build and the MinGW cross build.
set(PELLWISE_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${PELLWISE_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# Windows programs under Wine see the Unix root as drive Z:.
if(CMAKE_CROSSCOMPILING)
    set(PELLWISE_RESULTS_DIR "Z:${CMAKE_BINARY_DIR}/test-results")
else()
    set(PELLWISE_RESULTS_DIR "${CMAKE_BINARY_DIR}/test-results")
endif()

# pellwise_add_test(name SOURCES... LIBS...): one test executable, run once by
# ctest. Results are written as gtest XML into test-results/ so scripts/test can
# count the cases of every suite, native and under Wine alike.
function(pellwise_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main GTest::gmock)
    pellwise_warnings(${name})
    add_test(NAME ${name}
             COMMAND ${name} --gtest_output=xml:${PELLWISE_RESULTS_DIR}/${name}.xml)
    set_tests_properties(${name} PROPERTIES TIMEOUT 900)
endfunction()
