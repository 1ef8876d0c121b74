# lumora_add_test(NAME name SOURCES ... LIBS ... [GUI] [SCALED])
#
# Builds one GoogleTest executable and registers its cases with CTest. GUI tests
# get a QApplication-owning main and run on the offscreen platform; every test
# runs with a private HOME, XDG directories and temporary directory made by the
# test support library, never the developer's own. The test mains also export
# LUMORA_SOURCE_DIR and LUMORA_BIN_DIR (the checkout and the programs' folder).
# SCALED GUI tests run a second time with every screen drawn at twice the size.

function(lumora_add_test)
  cmake_parse_arguments(T "GUI;SCALED" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  if(T_GUI)
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} lumora_test_main_qt Qt6::Test)
  else()
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} lumora_test_main)
  endif()
  gtest_discover_tests(${T_NAME}
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
  )
  if(T_SCALED)
    gtest_discover_tests(${T_NAME}
      DISCOVERY_MODE PRE_TEST
      TEST_SUFFIX ".scale2"
      WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin
      PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=2"
    )
  endif()
endfunction()
