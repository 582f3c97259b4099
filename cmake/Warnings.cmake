# The warnings every target of ours is built with.
set(TOVRIK_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wold-style-cast)

function(tovrik_warnings target)
  target_compile_options(${target} PRIVATE ${TOVRIK_WARNINGS})
  if(TOVRIK_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
