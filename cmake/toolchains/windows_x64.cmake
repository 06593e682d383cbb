# Windows x64 from Linux with Debian's mingw-w64. The posix thread model, because the stand-in
# host uses std::thread; everything is linked statically, so neither Windows nor Wine needs a
# mingw DLL beside the programs or the module.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(VERDANTA_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VERDANTA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VERDANTA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VERDANTA_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VERDANTA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(CMAKE_MODULE_LINKER_FLAGS_INIT -static)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -static)

# Header-only packages: the Linux ones would put /usr/include before mingw's own headers.
set(nlohmann_json_DIR ${CMAKE_CURRENT_LIST_DIR}/packages CACHE PATH "")
set(CLI11_DIR ${CMAKE_CURRENT_LIST_DIR}/packages CACHE PATH "")
# Debian ships GoogleTest for mingw only as sources.
set(VERDANTA_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "")

# Test programs run under Wine, in a prefix of this build's own.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../../scripts/wine_run.sh
    ${CMAKE_BINARY_DIR}/wine-prefix)
