# Per-target include roots. Every library sees, under the include path, only the headers of
# its own layer and, through the libraries it links, of the layers below it; an include of a
# higher layer then fails to compile instead of only failing to link.
#
# vireo_include_root(<target> <folder>... [FILES <header>...])
#   Gives <target> a root in the build folder holding links to the headers directly in each
#   <folder> (source-relative, not recursive) and to each listed header, under their source
#   paths ("ui/core/box.h"). The root is a usage requirement: whatever links <target> sees it.
#   A new or removed header re-runs the configuration (CONFIGURE_DEPENDS).
function(vireo_include_root target)
  cmake_parse_arguments(A "" "" "FILES" ${ARGN})
  set(root "${CMAKE_BINARY_DIR}/include_roots/${target}")
  file(REMOVE_RECURSE "${root}")
  set(headers ${A_FILES})
  foreach(folder IN LISTS A_UNPARSED_ARGUMENTS)
    file(GLOB found CONFIGURE_DEPENDS RELATIVE "${CMAKE_SOURCE_DIR}" "${CMAKE_SOURCE_DIR}/${folder}/*.h")
    list(APPEND headers ${found})
  endforeach()
  foreach(header IN LISTS headers)
    get_filename_component(dir "${root}/${header}" DIRECTORY)
    file(MAKE_DIRECTORY "${dir}")
    file(CREATE_LINK "${CMAKE_SOURCE_DIR}/${header}" "${root}/${header}" SYMBOLIC)
  endforeach()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE "${root}")
  else()
    target_include_directories(${target} PUBLIC "${root}")
  endif()
endfunction()
