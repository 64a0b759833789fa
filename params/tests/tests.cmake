corvex_test(NAME setwell_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/setwell_read_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/setwell_write_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/setwell_init_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/setwell_recent_test.cpp
  LIBS Setwell)
