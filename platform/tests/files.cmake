corvex_test(NAME platform_files_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/file_test.cpp
  LIBS Platform)
