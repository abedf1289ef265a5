# A stand-in browser executable (demo/demo_browser.cc) with its own version resource.
#
#   vireo_add_demo_browser(<target> VERSION a.b.c.d [OUTPUT_NAME <name>]
#                          [OUTPUT_DIRECTORY <dir>])
#       Builds <dir>/<name>.exe (default: <target> in ${CMAKE_BINARY_DIR}/demo), a static
#       Windows GUI program that opens one "Chrome_WidgetWin_1" window. Several targets with
#       different versions or names can coexist, e.g. for update and staging tests.

function(vireo_add_demo_browser target)
  cmake_parse_arguments(A "" "VERSION;OUTPUT_NAME;OUTPUT_DIRECTORY" "" ${ARGN})
  if(NOT A_VERSION)
    message(FATAL_ERROR "vireo_add_demo_browser: VERSION is required")
  endif()
  if(NOT A_OUTPUT_NAME)
    set(A_OUTPUT_NAME "${target}")
  endif()
  if(NOT A_OUTPUT_DIRECTORY)
    set(A_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/demo")
  endif()
  vireo_version_rc(rc VERSION ${A_VERSION} NAME "vireo.exe" DESCRIPTION "Vireo")
  add_executable(${target} WIN32 "${CMAKE_SOURCE_DIR}/demo/demo_browser.cc" "${rc}")
  target_link_options(${target} PRIVATE -municode -mwindows)
  target_link_libraries(${target} PRIVATE vireo_flags user32 gdi32 shell32)
  set_target_properties(${target} PROPERTIES OUTPUT_NAME "${A_OUTPUT_NAME}"
                        RUNTIME_OUTPUT_DIRECTORY "${A_OUTPUT_DIRECTORY}")
endfunction()
