# A header-only package of this Linux system, shown to a cross compiler through a folder that
# holds its headers and nothing else of /usr/include.
function(verdanta_import_header_only target header_folder)
  string(REPLACE "::" "_" name ${target})
  set(folder ${CMAKE_BINARY_DIR}/header_only_packages/${name})
  file(MAKE_DIRECTORY ${folder})
  file(CREATE_LINK /usr/include/${header_folder} ${folder}/${header_folder} SYMBOLIC)
  add_library(${target} INTERFACE IMPORTED)
  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${folder})
endfunction()
