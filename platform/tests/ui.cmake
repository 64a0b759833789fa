corvex_test(NAME platform_ui_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ui_scripted_test.cpp
  LIBS Platform)

corvex_test(NAME platform_ui_qt_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ui_qt_test.cpp
  LIBS Platform Qt6::Widgets)

if(CORVEX_BUILD_TESTS)
  corvex_test_helper(ui_box_helper ${CMAKE_CURRENT_LIST_DIR}/ui_box_helper.cpp)
  target_link_libraries(ui_box_helper PRIVATE Platform)
  add_dependencies(platform_ui_test ui_box_helper)
endif()
