# tb_sanitizer_environment(<var> <plays-media>): the ctest ENVIRONMENT a test program needs under
# the sanitizer of this build (suppressions, options), or nothing.
function(tb_sanitizer_environment var plays_media)
  set(_env "")
  if(TB_SANITIZE MATCHES "address")
    set(_lsan "suppressions=${PROJECT_SOURCE_DIR}/tests/sanitizers/lsan.supp print_suppressions=0")
    set(_env "LSAN_OPTIONS=${_lsan}")
    if(plays_media)
      # The media backend's streaming threads are still ending when the leak check stops the
      # world at exit, and its tracer crashes reading them (leaving their thread-local storage
      # out instead makes every object Qt keeps per thread look leaked). Such a program is
      # checked for memory errors only; its code's leaks are the other programs' to find.
      set(_env "ASAN_OPTIONS=detect_leaks=0")
    endif()
  endif()
  if(TB_SANITIZE MATCHES "thread")
    # die_after_fork=0: tests start helper programs (openssl, the simulated service) through QProcess
    # from a multi-threaded process; TSan would otherwise stop the child before it executes them.
    set(_env "TSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/sanitizers/tsan.supp halt_on_error=0 second_deadlock_stack=1 die_after_fork=0")
  endif()
  if(_env)
    set(${var} ENVIRONMENT "${_env}" PARENT_SCOPE)
  else()
    set(${var} "" PARENT_SCOPE)
  endif()
endfunction()

# tb_add_test(NAME <target> LABEL <unit|integration|ui|e2e> SOURCES ... LIBS ... [NO_QT] [PLAYS_MEDIA])
# Builds one GoogleTest program and registers its cases with ctest under the label.
# PLAYS_MEDIA: a program that plays video (the video module is linked beside it).
include(GoogleTest)
function(tb_add_test)
  cmake_parse_arguments(T "NO_QT;PLAYS_MEDIA" "NAME;LABEL;TIMEOUT" "SOURCES;LIBS" ${ARGN})
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
  if(T_PLAYS_MEDIA AND COMMAND tb_video_module_beside)
    tb_video_module_beside(${T_NAME})
  endif()
  tb_sanitizer_environment(_env "${T_PLAYS_MEDIA}")
  gtest_discover_tests(${T_NAME}
    PROPERTIES LABELS ${T_LABEL} TIMEOUT ${T_TIMEOUT} ${_env}
    DISCOVERY_TIMEOUT 60
    DISCOVERY_MODE PRE_TEST)
endfunction()

# tb_add_subdirectories(): adds every folder below this one that has a CMakeLists.txt, so that a
# new folder joins by existing.
function(tb_add_subdirectories)
  file(GLOB _dirs LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(_dir ${_dirs})
    if(IS_DIRECTORY ${_dir} AND EXISTS ${_dir}/CMakeLists.txt)
      add_subdirectory(${_dir})
    endif()
  endforeach()
endfunction()
