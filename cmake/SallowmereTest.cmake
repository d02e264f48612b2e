# sallowmere_add_test(NAME SOURCES src... LIBS lib... [QT] [ENV VAR=value...] [PREFIX text])
# Builds one test program and registers it with ctest: a GoogleTest program, each of whose cases
# becomes a ctest test named after PREFIX (the whole program one test when it runs under an
# emulator), or with QT a Qt Test program run headless, each test function a ctest test.
if(CMAKE_CROSSCOMPILING)
  # No GoogleTest package targets the other system: build Debian's sources of it (googletest,
  # which libgtest-dev brings) with the cross compiler.
  set(CMAKE_POLICY_DEFAULT_CMP0069 NEW)  # its libraries take the project's link-time optimisation
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

function(sallowmere_add_test name)
  cmake_parse_arguments(ARG "QT" "PREFIX" "SOURCES;LIBS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} sallowmere_test_support sallowmere_warnings)
  if(ARG_QT)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PRIVATE Qt6::Test)
    # Each test function its own ctest test, so that a failure names itself: the functions are
    # the slots of the first source, "  void Name() {".
    list(GET ARG_SOURCES 0 source)
    set(source ${CMAKE_CURRENT_SOURCE_DIR}/${source})
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
    file(STRINGS ${source} slots REGEX "^  void [A-Za-z0-9_]+\\(\\) {")
    foreach(slot IN LISTS slots)
      string(REGEX REPLACE "^  void ([A-Za-z0-9_]+).*" "\\1" function "${slot}")
      add_test(NAME ${name}.${function} COMMAND ${name} ${function}
               WORKING_DIRECTORY ${PROJECT_SOURCE_DIR})
      set_tests_properties(${name}.${function} PROPERTIES
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;${ARG_ENV}")
    endforeach()
  elseif(CMAKE_CROSSCOMPILING)
    # One ctest test per program: each start of a program under the emulator costs a while.
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
    add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${PROJECT_SOURCE_DIR})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${ARG_ENV}")
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
    gtest_discover_tests(${name} WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} TEST_PREFIX "${ARG_PREFIX}"
      PROPERTIES ENVIRONMENT "${ARG_ENV}")
  endif()
endfunction()
