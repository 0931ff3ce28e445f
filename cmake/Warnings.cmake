# One INTERFACE target carries the warning flags; every target of the project links it.
add_library(tb_warnings INTERFACE)
target_compile_options(tb_warnings INTERFACE -Wall -Wextra -Wpedantic)
if(DEFINED ENV{CI} AND NOT "$ENV{CI}" STREQUAL "" AND NOT "$ENV{CI}" STREQUAL "false")
  target_compile_options(tb_warnings INTERFACE -Werror)
endif()
