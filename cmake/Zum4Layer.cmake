# zum4_layer(NAME SOURCES ... DEPENDS ...)
# One static library per core folder. A folder whose sources have not been
# written yet is an INTERFACE library, so that its dependants already link it
# and nothing changes for them when its first source file arrives.
function(zum4_layer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  if(ARG_SOURCES)
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC zum4_options ${ARG_DEPENDS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE zum4_options ${ARG_DEPENDS})
  endif()
endfunction()
