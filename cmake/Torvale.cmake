# One static library per source folder; every .cpp in the folder belongs to it.
function(tvl_folder_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    set(sources ${PROJECT_SOURCE_DIR}/cmake/empty.cpp)
  endif()
  add_library(${name} STATIC ${sources})
  # Headers are included by folder: "core/IniFile.h", "world/Map.h".
  target_include_directories(${name} PUBLIC
    ${PROJECT_SOURCE_DIR}/kvui3/Source ${PROJECT_SOURCE_DIR}/tvl)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()
