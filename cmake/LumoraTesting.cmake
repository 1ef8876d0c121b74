# lumora_add_test(NAME name SOURCES ... LIBS ... [GUI])
#
# Builds one GoogleTest executable and registers its cases with CTest. GUI tests
# get a QApplication-owning main and run on the offscreen platform; every test
# runs with a private HOME, XDG directories and temporary directory made by the
# test support library, never the developer's own. The test mains also export
# LUMORA_SOURCE_DIR and LUMORA_BIN_DIR (the checkout and the programs' folder).
# GUI tests drive real widgets with QTest.
if(LUMORA_BUILD_GUI)
  find_package(Qt6 REQUIRED COMPONENTS Test)
endif()

function(lumora_add_test)
  cmake_parse_arguments(T "GUI" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  if(T_GUI)
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} lumora_test_main_qt)
  else()
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} lumora_test_main)
  endif()
  gtest_discover_tests(${T_NAME}
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/bin
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
  )
endfunction()
