include(${CMAKE_CURRENT_LIST_DIR}/HeaderOnlyPackage.cmake)
if(NOT TARGET nlohmann_json::nlohmann_json)
  verdanta_import_header_only(nlohmann_json::nlohmann_json nlohmann)
endif()
