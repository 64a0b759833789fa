if(CORVEX_BUILD_TESTS OR CORVEX_BUILD_BENCHMARKS)
  pkg_check_modules(CppHttplib REQUIRED IMPORTED_TARGET cpp-httplib)
endif()

corvex_test(NAME platform_net_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/net_proxy_config_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/net_pac_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/net_alive_test.cpp
  LIBS PlatformNet PkgConfig::CppHttplib Threads::Threads)

corvex_test(NAME platform_credentials_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ui_credentials_test.cpp
  LIBS Platform)

corvex_test(NAME platform_credentials_qt_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ui_qt_credentials_test.cpp
  LIBS Platform Qt6::Widgets)

corvex_benchmark(pac_decision_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/net_pac_bench.cpp
  LIBS PlatformNet PkgConfig::CppHttplib CURL::libcurl Threads::Threads)
