# nevalon_library(<target> DEPENDS <targets...> [PRIVATE_DEPENDS <targets...>])
#
# Builds the library of the calling folder from its own sources. Its headers are
# reachable as "<folder>/<Header>.h" only by targets that link it: each library
# gets an include root of its own holding one link to its folder, so a header of
# a layer the target does not depend on is simply not found.
function(nevalon_library target)
  cmake_parse_arguments(ARG "" "" "DEPENDS;PRIVATE_DEPENDS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  # A program's entry point belongs to its executable, not to the library.
  list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  file(RELATIVE_PATH folder ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  set(root ${PROJECT_BINARY_DIR}/include/${target})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} SYMBOLIC)
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${root})
  target_link_libraries(${target} PUBLIC ${ARG_DEPENDS} PRIVATE ${ARG_PRIVATE_DEPENDS})
endfunction()
