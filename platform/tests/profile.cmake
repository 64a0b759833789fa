corvex_test(NAME platform_profile_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/profile_read_test.cpp ${CMAKE_CURRENT_LIST_DIR}/profile_write_test.cpp
  LIBS Platform)

corvex_benchmark(profile_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/profile_bench.cpp
  LIBS Platform)
