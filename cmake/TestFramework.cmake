# GoogleTest: the installed package, or, where none fits the target (a cross build), built here
# from the sources that Debian ships.
set(VERDANTA_GTEST_SOURCE_DIR "" CACHE PATH "GoogleTest sources to build instead of finding it")

if(VERDANTA_GTEST_SOURCE_DIR)
  set(INSTALL_GTEST OFF)
  add_subdirectory(${VERDANTA_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# Under an emulator, test programs are listed at build time through it: have it ready before
# the first one (a new Wine prefix takes a while to make), and give the listing more time than
# GoogleTest's five seconds, which a busy machine can take to start an emulated program.
if(CMAKE_CROSSCOMPILING_EMULATOR)
  execute_process(COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} COMMAND_ERROR_IS_FATAL ANY)
  function(gtest_discover_tests)
    _gtest_discover_tests(${ARGV} DISCOVERY_TIMEOUT 120)
  endfunction()
endif()
