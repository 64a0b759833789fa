corvex_test(NAME platform_numbers_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/numbers_test.cpp ${CMAKE_CURRENT_LIST_DIR}/numbers_widechar_test.cpp
  LIBS Platform)
