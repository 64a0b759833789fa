corvex_test(NAME platform_mfc_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/cstring_test.cpp ${CMAKE_CURRENT_LIST_DIR}/collections_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/cfile_test.cpp
  LIBS Platform)
