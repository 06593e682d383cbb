include(${CMAKE_CURRENT_LIST_DIR}/HeaderOnlyPackage.cmake)
if(NOT TARGET CLI11::CLI11)
  verdanta_import_header_only(CLI11::CLI11 CLI)
endif()
