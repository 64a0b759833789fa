corvex_test(NAME platform_crypto_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/crypto_bcrypt_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/crypto_protect_test.cpp
  LIBS Platform)
