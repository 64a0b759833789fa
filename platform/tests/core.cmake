corvex_test(NAME platform_core_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/core_test.cpp
  LIBS Platform)

corvex_test(NAME platform_shared_counter_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/shared_counter_test.cpp
  LIBS Platform)
