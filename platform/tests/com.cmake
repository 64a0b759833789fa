corvex_test(NAME platform_com_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/com_test.cpp
  LIBS Platform)
