corvex_test(NAME setwell_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/setwell_read_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/setwell_write_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/setwell_init_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/setwell_recent_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/setwell_process_test.cpp
  LIBS Setwell)

if(CORVEX_BUILD_TESTS)
  corvex_test_helper(setwell_child ${CMAKE_CURRENT_LIST_DIR}/setwell_child.cpp)
  target_link_libraries(setwell_child PRIVATE Setwell)
  add_dependencies(setwell_test setwell_child)
endif()

corvex_benchmark(setwell_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/setwell_bench.cpp
  LIBS Setwell)
