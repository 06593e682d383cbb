# VERDANTA_SANITIZE: empty, "address,undefined" or "thread". Applies to everything built,
# the module included, so that a fault on either side of the ABI is caught.
set(VERDANTA_SANITIZE "" CACHE STRING "Sanitizers to build with")
if(VERDANTA_SANITIZE)
  add_compile_options(-fsanitize=${VERDANTA_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${VERDANTA_SANITIZE})
endif()
