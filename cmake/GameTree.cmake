# Assembles build/game: the executable (placed there by its target), the text data we
# author, the fonts from Debian's packages, and what the content tool generates.
set(TVL_FONT_ROBOTO /usr/share/fonts/truetype/roboto/unhinted/RobotoTTF/Roboto-Regular.ttf)
set(TVL_FONT_MONO /usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf)
foreach(font ${TVL_FONT_ROBOTO} ${TVL_FONT_MONO})
  if(NOT EXISTS ${font})
    message(FATAL_ERROR "Font ${font} is missing: install fonts-roboto-unhinted and fonts-dejavu-core")
  endif()
endforeach()

file(GLOB_RECURSE TVL_DATA_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/*)
set(TVL_TREE_STAMP ${CMAKE_BINARY_DIR}/game_tree.stamp)
add_custom_command(OUTPUT ${TVL_TREE_STAMP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TVL_GAME_DIR}/base ${TVL_GAME_DIR}/kvui3/fonts
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/data ${TVL_GAME_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy ${TVL_FONT_ROBOTO} ${TVL_GAME_DIR}/kvui3/fonts/Roboto-Regular.ttf
  COMMAND ${CMAKE_COMMAND} -E copy ${TVL_FONT_MONO} ${TVL_GAME_DIR}/kvui3/fonts/RobotoMono-Regular.ttf
  COMMAND ${CMAKE_COMMAND} -E copy ${TVL_FONT_MONO} ${TVL_GAME_DIR}/kvui3/fonts/UAV-OSD-Sans-Mono.ttf
  COMMAND ${CMAKE_COMMAND} -E touch ${TVL_TREE_STAMP}
  DEPENDS ${TVL_DATA_FILES}
  COMMENT "Assembling the runtime tree in ${TVL_GAME_DIR}")
add_custom_target(game_tree ALL DEPENDS ${TVL_TREE_STAMP})
add_dependencies(torvale game_tree)
