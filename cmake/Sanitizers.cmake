# TB_SANITIZE=address,undefined or thread: applied to every target of the project.
if(TB_SANITIZE)
  string(REPLACE "," ";" _tb_sanitizers "${TB_SANITIZE}")
  foreach(_s IN LISTS _tb_sanitizers)
    add_compile_options(-fsanitize=${_s})
    add_link_options(-fsanitize=${_s})
  endforeach()
  add_compile_options(-fno-omit-frame-pointer -fno-sanitize-recover=undefined)
endif()
