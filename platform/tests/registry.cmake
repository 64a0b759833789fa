corvex_test(NAME platform_registry_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/registry_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/registry_process_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/registry_tool_test.cpp
  LIBS Platform SQLite::SQLite3)
if(TARGET platform_registry_test)
  # The tool's round trip runs the built corvexreg.
  add_dependencies(platform_registry_test corvexreg)
endif()

corvex_benchmark(registry_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/registry_bench.cpp
  LIBS Platform)
