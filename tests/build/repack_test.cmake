# The packing of a browser folder follows its files (cmake -P): a scratch project packs a
# small tree with vireo_pack_payload(... CHECK); changing one file's bytes (same size, same
# second) repacks it, a build without changes leaves it alone, and a folder that lost
# vireo.exe stops the build with the reason.
# Inputs: FIXTURES (the version fixtures' folder), WORK (a scratch folder), SOURCE_DIR.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${WORK}")
set(tree "${WORK}/Chrome-bin")
file(MAKE_DIRECTORY "${tree}/1.2.3.4/Installer")
file(COPY_FILE "${FIXTURES}/version_1_2_3_4.exe" "${tree}/vireo.exe")
file(WRITE "${tree}/1.2.3.4/Installer/uninstaller.exe" "uninstaller")
file(WRITE "${tree}/1.2.3.4/resources.pak" "first")
file(WRITE "${WORK}/project/CMakeLists.txt" "
cmake_minimum_required(VERSION 3.25)
project(repack NONE)
include(\"${SOURCE_DIR}/cmake/VireoInstaller.cmake\")
vireo_pack_payload(package NAME tree CHROME_BIN \"${tree}\" CHECK)
add_custom_target(package ALL DEPENDS \"\${package}\")
")
set(package "${WORK}/build/payload/tree/package.7z")

function(build out_var)
  execute_process(COMMAND ${CMAKE_COMMAND} --build "${WORK}/build" RESULT_VARIABLE failed
                  OUTPUT_VARIABLE out ERROR_VARIABLE out)
  set(${out_var} "${failed}" PARENT_SCOPE)
  set(build_output "${out}" PARENT_SCOPE)
endfunction()

execute_process(COMMAND ${CMAKE_COMMAND} -G Ninja -S "${WORK}/project" -B "${WORK}/build"
                OUTPUT_QUIET RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "the scratch project does not configure")
endif()
build(failed)
if(failed OR NOT EXISTS "${package}")
  message(FATAL_ERROR "the first build did not pack the tree: ${build_output}")
endif()
file(MD5 "${package}" first)

build(failed)
if(failed OR NOT build_output MATCHES "Listing Chrome-bin" OR build_output MATCHES "Packing Chrome-bin")
  message(SEND_ERROR "an unchanged tree was packed again (or not listed): ${build_output}")
endif()

file(WRITE "${tree}/1.2.3.4/resources.pak" "other")
build(failed)
file(MD5 "${package}" changed)
if(failed OR changed STREQUAL first)
  message(SEND_ERROR "changing one file did not change the package: ${build_output}")
endif()

file(REMOVE "${tree}/vireo.exe")
build(failed)
# CMake wraps its messages at about 80 columns, wherever the folder's path happens to end:
# compare with every run of white space folded to one blank.
string(REGEX REPLACE "[ \t\r\n]+" " " build_output "${build_output}")
if(NOT failed OR NOT build_output MATCHES "vireo_add_installer: CHROME_BIN" OR NOT build_output MATCHES "has no vireo.exe")
  message(SEND_ERROR "a tree without vireo.exe was packed: ${build_output}")
endif()
file(REMOVE_RECURSE "${WORK}")
