# Demo payloads: a browser-shaped "Chrome-bin" tree made from the project's own small
# programs, in any version, for the README's run command and for test variants.
#
#   vireo_stage_payload(<name> VERSION a.b.c.d BROWSER <target>
#                       [NO_UNINSTALLER | OWN_UNINSTALLER] [DATA_MB <n>] [DATA_FILES <n>])
#   -> sets <name>_CHROME_BIN (the staged folder) and <name>_STAMP (what to depend on) in
#      the caller's scope. DATA_MB and DATA_FILES add the benchmark's browser-shaped bulk
#      (tools/bench_payload.py). A tree brings no uninstaller, so vireo_add_installer()
#      packs the project's; OWN_UNINSTALLER stages a stand-in program of its own instead. A
#      NO_UNINSTALLER tree is incomplete on purpose, and is packed without any.

add_executable(payload_stub_exe "${CMAKE_CURRENT_LIST_DIR}/payload_stub.c")
add_library(payload_stub_dll SHARED "${CMAKE_CURRENT_LIST_DIR}/payload_stub.c")
target_compile_definitions(payload_stub_dll PRIVATE VIREO_PAYLOAD_STUB_DLL)
set_target_properties(payload_stub_dll PROPERTIES PREFIX "")
target_link_libraries(payload_stub_exe PRIVATE vireo_flags)
target_link_libraries(payload_stub_dll PRIVATE vireo_flags)

function(vireo_stage_payload name)
  cmake_parse_arguments(A "NO_UNINSTALLER;OWN_UNINSTALLER" "VERSION;BROWSER;DATA_MB;DATA_FILES" "" ${ARGN})
  if(NOT A_DATA_MB)
    set(A_DATA_MB 0)
  endif()
  if(NOT A_DATA_FILES)
    set(A_DATA_FILES 0)
  endif()
  set(root "${CMAKE_BINARY_DIR}/payload_stage/${name}")
  set(stamp "${root}/stage.stamp")
  set(uninstaller OFF)
  if(A_OWN_UNINSTALLER)
    set(uninstaller ON)
  endif()
  if(A_NO_UNINSTALLER)
    set_property(GLOBAL APPEND PROPERTY VIREO_PAYLOADS_WITHOUT_UNINSTALLER "${root}/Chrome-bin")
  endif()
  set(generator "")
  if(A_DATA_MB GREATER 0)
    set(generator "${CMAKE_SOURCE_DIR}/tools/bench_payload.py")
  endif()
  add_custom_command(
    OUTPUT "${stamp}"
    COMMAND ${CMAKE_COMMAND} -DOUT=${root}/Chrome-bin -DVERSION=${A_VERSION}
            -DBROWSER=$<TARGET_FILE:${A_BROWSER}> -DPROGRAM=$<TARGET_FILE:payload_stub_exe>
            -DLIBRARY=$<TARGET_FILE:payload_stub_dll> -DUNINSTALLER=${uninstaller}
            -DDATA_MB=${A_DATA_MB} -DDATA_FILES=${A_DATA_FILES} -DPYTHON=${Python3_EXECUTABLE}
            -P "${CMAKE_SOURCE_DIR}/cmake/stage_payload.cmake"
    COMMAND ${CMAKE_COMMAND} -E touch "${stamp}"
    DEPENDS ${A_BROWSER} payload_stub_exe payload_stub_dll "${CMAKE_SOURCE_DIR}/cmake/stage_payload.cmake" ${generator}
    COMMENT "Staging payload ${name} (${A_VERSION})"
    VERBATIM)
  add_custom_target(${name}_stage DEPENDS "${stamp}")
  set(${name}_CHROME_BIN "${root}/Chrome-bin" PARENT_SCOPE)
  set(${name}_STAMP "${stamp}" PARENT_SCOPE)
endfunction()
