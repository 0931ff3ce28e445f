# tb_add_test(NAME <target> LABEL <unit|integration|ui|e2e> SOURCES ... LIBS ... [NO_QT])
# Builds one GoogleTest program and registers its cases with ctest under the label.
include(GoogleTest)
function(tb_add_test)
  cmake_parse_arguments(T "NO_QT" "NAME;LABEL;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_LABEL)
    set(T_LABEL unit)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  if(T_NO_QT)
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main tb_warnings)
  else()
    target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} tb_test_support tb_warnings)
  endif()
  gtest_discover_tests(${T_NAME}
    PROPERTIES LABELS ${T_LABEL} TIMEOUT ${T_TIMEOUT}
    DISCOVERY_TIMEOUT 60
    DISCOVERY_MODE PRE_TEST)
endfunction()
