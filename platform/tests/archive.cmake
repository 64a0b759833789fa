corvex_test(NAME platform_archive_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/archive_test.cpp
  LIBS Platform)
