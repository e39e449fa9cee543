# numora_add_room(NAME SOURCES ... [USES room ...] [LIBRARIES target ...])
#
# A room of the window-free code: a static library numora_NAME (alias numora::NAME) of the
# sources in the calling folder. Its headers are included by their bare names, and only the
# headers of the room itself and of the rooms it USES are on its include path, so a room that
# reaches into one it does not use, or into one that uses it, fails to compile. LIBRARIES are
# outside libraries the room's sources use themselves.
#
# Every room is listed in the global property NUMORA_ROOMS, for builds that compile the
# window-free code again with flags of their own (the fuzz targets).
function(numora_add_room name)
  cmake_parse_arguments(PARSE_ARGV 1 room "" "" "SOURCES;USES;LIBRARIES")
  add_library(numora_${name} STATIC ${room_SOURCES})
  add_library(numora::${name} ALIAS numora_${name})
  # Knows nothing of Qt: nothing for moc or uic.
  set_target_properties(numora_${name} PROPERTIES AUTOMOC OFF AUTOUIC OFF)
  target_include_directories(numora_${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_compile_features(numora_${name} PUBLIC cxx_std_20)
  list(TRANSFORM room_USES PREPEND "numora::")
  target_link_libraries(numora_${name} PUBLIC ${room_USES} PRIVATE numora::options ${room_LIBRARIES})
  set_property(GLOBAL APPEND PROPERTY NUMORA_ROOMS numora_${name})
endfunction()
