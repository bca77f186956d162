# Warnings every target of the project builds with.
function(umbrinex_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -pedantic -Werror=return-type)
endfunction()
