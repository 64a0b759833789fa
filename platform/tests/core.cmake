corvex_test(NAME platform_core_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/core_test.cpp
  LIBS Platform)
