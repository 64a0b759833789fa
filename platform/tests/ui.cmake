corvex_test(NAME platform_ui_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ui_scripted_test.cpp ${CMAKE_CURRENT_LIST_DIR}/ui_gui_library_test.cpp
  LIBS Platform)

corvex_test(NAME platform_ui_qt_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ui_qt_test.cpp
  LIBS Platform PlatformGui Qt6::Widgets)

if(CORVEX_BUILD_TESTS)
  corvex_test_helper(ui_box_helper ${CMAKE_CURRENT_LIST_DIR}/ui_box_helper.cpp)
  target_link_libraries(ui_box_helper PRIVATE Platform)
  # Links nothing of the suite: each run loads one library into a fresh process.
  corvex_test_helper(library_load_probe ${CMAKE_CURRENT_LIST_DIR}/library_load_probe.cpp)
  target_link_libraries(library_load_probe PRIVATE ${CMAKE_DL_LIBS})
  add_dependencies(platform_ui_test ui_box_helper library_load_probe Logger Setwell Tavix32)
endif()

# The first load of a library that shows nothing, in a fresh process each time.
corvex_benchmark(library_load_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/library_load_bench.cpp
  LIBS Platform)
if(TARGET library_load_bench AND TARGET library_load_probe)
  target_compile_definitions(library_load_bench PRIVATE
    CORVEX_PROGRAM_DIR="${CORVEX_PROGRAM_DIR}" CORVEX_TEST_BIN_DIR="${CMAKE_BINARY_DIR}/tests")
  add_dependencies(library_load_bench library_load_probe Logger Setwell Tavix32)
endif()
