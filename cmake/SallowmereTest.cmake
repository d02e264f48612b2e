# sallowmere_add_test(NAME SOURCES src... LIBS lib...)
# Builds one GoogleTest program and registers its cases with ctest.
find_package(GTest REQUIRED)
include(GoogleTest)

function(sallowmere_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} sallowmere_test_support
    sallowmere_warnings GTest::gtest_main)
  gtest_discover_tests(${name} WORKING_DIRECTORY ${PROJECT_SOURCE_DIR})
endfunction()
