# Warnings are errors in every build: the code base keeps them at zero.
add_compile_options(-Wall -Wextra -Werror)
