# The module is freestanding C++: no exceptions, no RTTI, no guarded statics, nothing from
# the C++ runtime. That is what lets the same sources build for every platform.
set(VERDANTA_MODULE_FLAGS -fno-exceptions -fno-rtti -fno-threadsafe-statics
    -fvisibility=hidden -fvisibility-inlines-hidden)
# Pairing scalars into 16-byte loads makes a sample stall on values the host stored a moment
# before, such as the object matrix it returns; that costs more than the pairing saves.
list(APPEND VERDANTA_MODULE_FLAGS $<$<CXX_COMPILER_ID:GNU>:-fno-tree-slp-vectorize>
     $<$<CXX_COMPILER_ID:Clang,AppleClang>:-fno-slp-vectorize>)

# A sample's path runs through several files; optimising across them at link time lets it
# inline the small steps between them.
include(CheckIPOSupported)
check_ipo_supported(RESULT VERDANTA_MODULE_IPO OUTPUT VERDANTA_MODULE_IPO_WHY LANGUAGES C CXX)
if(NOT VERDANTA_MODULE_IPO)
  message(STATUS "The module is linked without link-time optimisation: ${VERDANTA_MODULE_IPO_WHY}")
endif()

# What the host loads: a DLL on Windows; on macOS a dynamic library (not a bundle) whose name
# carries the host release.
set(VERDANTA_MODULE_LIBRARY_TYPE MODULE)
set(VERDANTA_MODULE_RELEASE_TAG "")
if(WIN32)
  set(VERDANTA_MODULE_SUFFIX ".xdl64")
elseif(APPLE)
  set(VERDANTA_MODULE_SUFFIX ".xlib")
  set(VERDANTA_MODULE_LIBRARY_TYPE SHARED)
  set(VERDANTA_MODULE_RELEASE_TAG "R2026")
else()
  set(VERDANTA_MODULE_SUFFIX ".so")
endif()

function(verdanta_flavour_definitions out flavour)
  if(flavour STREQUAL "windows")
    set(${out} VERDANTA_FLAVOUR_WINDOWS=1 PARENT_SCOPE)
  elseif(flavour STREQUAL "macos")
    set(${out} VERDANTA_FLAVOUR_MACOS=1 PARENT_SCOPE)
  else()
    message(FATAL_ERROR "Unknown Verdanta flavour '${flavour}': use windows or macos")
  endif()
endfunction()

# A static library of the module's code in one flavour, for tests that reach inside.
function(verdanta_add_module_library target flavour)
  verdanta_flavour_definitions(definitions ${flavour})
  add_library(${target} STATIC ${VERDANTA_MODULE_SOURCES})
  target_compile_options(${target} PRIVATE ${VERDANTA_MODULE_FLAGS})
  target_compile_definitions(${target} PUBLIC ${definitions})
  target_include_directories(${target} PUBLIC ${VERDANTA_MODULE_INCLUDES})
  target_link_libraries(${target} PUBLIC host_abi)
endfunction()

# The loadable module in one flavour, laid out as a plug-in folder: <dir>/Verdanta/<file> + res/.
function(verdanta_add_module target flavour plugin_dir file_name)
  verdanta_flavour_definitions(definitions ${flavour})
  add_library(${target} ${VERDANTA_MODULE_LIBRARY_TYPE} ${VERDANTA_MODULE_SOURCES})
  target_compile_options(${target} PRIVATE ${VERDANTA_MODULE_FLAGS})
  target_compile_definitions(${target} PRIVATE ${definitions})
  target_include_directories(${target} PRIVATE ${VERDANTA_MODULE_INCLUDES})
  target_link_libraries(${target} PRIVATE host_abi)
  set_target_properties(${target} PROPERTIES INTERPROCEDURAL_OPTIMIZATION ${VERDANTA_MODULE_IPO})
  set_target_properties(${target} PROPERTIES
    PREFIX "" OUTPUT_NAME ${file_name}${VERDANTA_MODULE_RELEASE_TAG} SUFFIX ${VERDANTA_MODULE_SUFFIX}
    LIBRARY_OUTPUT_DIRECTORY ${plugin_dir}/Verdanta)
  if(APPLE)
    # The host opens the module by its path; its own name says nothing of the build machine.
    set_target_properties(${target} PROPERTIES INSTALL_NAME_DIR @rpath BUILD_WITH_INSTALL_NAME_DIR ON)
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${VERDANTA_RESOURCE_DIR} ${plugin_dir}/Verdanta/res)
endfunction()
