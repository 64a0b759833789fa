# Module loading and resources: test modules laid out beside the test programs
# (<build>/tests: libraries, Lng/ language modules), the suites and the benchmark.
if(NOT CORVEX_BUILD_TESTS AND NOT CORVEX_BUILD_BENCHMARKS)
  return()
endif()
set(RESDATA ${CMAKE_CURRENT_LIST_DIR}/resdata)

# Two language modules: Lng/ResTestOne.LNG, Lng/ResTestTwo.LNG.
corvex_resource_module(ResTestOne ${RESDATA}/lang_one.rc FOR_TESTS DESTINATION_SUBDIR Lng)
corvex_resource_module(ResTestTwo ${RESDATA}/lang_two.rc FOR_TESTS DESTINATION_SUBDIR Lng)

# A test library: a table of its own, registered in the resource chain while loaded,
# like the suite's extension libraries.
function(resource_test_library name)
  add_library(${name} SHARED ${ARGN})
  set_target_properties(${name} PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
endfunction()
resource_test_library(ResTestExt ${RESDATA}/test_extension_library.cpp)
corvex_add_resources(ResTestExt ${RESDATA}/test_extension_library.rc)
target_link_libraries(ResTestExt PRIVATE Platform)
# A library without a table whose dependency has one.
resource_test_library(ResTestNoTable ${RESDATA}/no_table_library.cpp)
target_link_libraries(ResTestNoTable PRIVATE ResTestExt)

# A library that uses the platform from its unload code, and a program linked to it.
resource_test_library(ResTestUnloadUser ${RESDATA}/unload_user_library.cpp)
target_link_libraries(ResTestUnloadUser PRIVATE Platform)
corvex_test_helper(unload_probe ${CMAKE_CURRENT_LIST_DIR}/unload_probe.cpp)
if(TARGET unload_probe)
  target_link_libraries(unload_probe PRIVATE ResTestUnloadUser Platform)
endif()

set(RESOURCE_TEST_MODULES ResTestOne ResTestTwo ResTestExt ResTestNoTable)

corvex_test(NAME platform_resource_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/module_loading_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/resource_table_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/resource_chain_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/resource_compiler_test.cpp
  LIBS Platform)
if(TARGET platform_resource_test)
  corvex_add_resources(platform_resource_test ${RESDATA}/test_program.rc)
  add_dependencies(platform_resource_test ${RESOURCE_TEST_MODULES} rescomp unload_probe)
  target_include_directories(platform_resource_test PRIVATE ${PROJECT_SOURCE_DIR}/platform/src)
  target_compile_definitions(platform_resource_test PRIVATE RESCOMP_PATH="$<TARGET_FILE:rescomp>")
endif()

corvex_benchmark(resource_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/resource_bench.cpp LIBS Platform)
if(TARGET resource_bench)
  add_dependencies(resource_bench ${RESOURCE_TEST_MODULES})
  target_compile_definitions(resource_bench PRIVATE CORVEX_TEST_BIN_DIR="${CMAKE_BINARY_DIR}/tests")
endif()
