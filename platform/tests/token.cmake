corvex_test(NAME platform_token_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/token_test.cpp
  LIBS Platform)
