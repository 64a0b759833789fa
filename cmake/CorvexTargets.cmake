# Helpers shared by every subsystem's CMakeLists.

# A shared library of the suite, laid out in the program folder and installed there.
function(corvex_shared_library name)
  add_library(${name} SHARED ${ARGN})
  install(TARGETS ${name} LIBRARY DESTINATION . RUNTIME DESTINATION .)
endfunction()

# A program of the suite (or a tool), laid out in the program folder.
function(corvex_program name)
  add_executable(${name} ${ARGN})
  install(TARGETS ${name} RUNTIME DESTINATION .)
endfunction()

# A GoogleTest suite. Test binaries live in <build>/tests, away from the program folder.
#   corvex_test(NAME name SOURCES a.cpp ... LIBS lib ... [RESOURCE_LOCK lock])
# Tests with the same RESOURCE_LOCK never run at the same time (a server on a fixed port).
function(corvex_test)
  cmake_parse_arguments(T "" "NAME;RESOURCE_LOCK" "SOURCES;LIBS" ${ARGN})
  if(NOT CORVEX_BUILD_TESTS)
    return()
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} CorvexTestSupport GTest::gtest GTest::gtest_main)
  set_target_properties(${T_NAME} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests
    BUILD_WITH_INSTALL_RPATH OFF
    BUILD_RPATH "${CORVEX_PROGRAM_DIR}")
  target_compile_definitions(${T_NAME} PRIVATE
    CORVEX_PROGRAM_DIR="${CORVEX_PROGRAM_DIR}"
    CORVEX_TEST_BIN_DIR="${CMAKE_BINARY_DIR}/tests")
  set(properties TIMEOUT 300)
  if(T_RESOURCE_LOCK)
    list(APPEND properties RESOURCE_LOCK ${T_RESOURCE_LOCK})
  endif()
  gtest_discover_tests(${T_NAME} DISCOVERY_TIMEOUT 60 PROPERTIES ${properties})
endfunction()

# A helper program a test starts as a child process (lives beside the tests).
function(corvex_test_helper name)
  if(NOT CORVEX_BUILD_TESTS)
    return()
  endif()
  add_executable(${name} ${ARGN})
  set_target_properties(${name} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests
    BUILD_WITH_INSTALL_RPATH OFF
    BUILD_RPATH "${CORVEX_PROGRAM_DIR}")
endfunction()

# A Google Benchmark program in <build>/benchmarks.
function(corvex_benchmark name)
  cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
  if(NOT CORVEX_BUILD_BENCHMARKS)
    return()
  endif()
  add_executable(${name} ${B_SOURCES})
  target_link_libraries(${name} PRIVATE ${B_LIBS} CorvexTestSupport benchmark::benchmark benchmark::benchmark_main)
  set_target_properties(${name} PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/benchmarks
    BUILD_WITH_INSTALL_RPATH OFF
    BUILD_RPATH "${CORVEX_PROGRAM_DIR}")
endfunction()
