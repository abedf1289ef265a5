# The installer window's skin, packed for the resource IDR_ZIP_UI: every file committed under
# resources/skin (the XML files and the PNGs that tools/draw_skin.py drew), each deflated
# under its path inside that folder ("global.xml", "frame/UIInstallFrame.xml",
# "button/btn_install.png", ...). The build only zips; it never redraws.
#
#   VIREO_UI_ZIP   the packed skin in the build folder, vireo_add_installer()'s default UI
#   vireo_skin     the target that packs it; installers that use VIREO_UI_ZIP depend on it
include_guard(GLOBAL)

# The interpreter by path, not as the imported target: a target in COMMAND would be run
# through the cross-compiling emulator.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(VIREO_SKIN_DIR "${CMAKE_CURRENT_LIST_DIR}/../resources/skin")
set(VIREO_UI_ZIP "${CMAKE_BINARY_DIR}/skin/ui.zip")

# The folder is the list of members. Before packing, `draw_skin.py --check` (no Pillow
# needed) refuses a picture of the wrong size or format, a missing member and any stray file
# that the glob would otherwise pack.
file(GLOB_RECURSE vireo_skin_members CONFIGURE_DEPENDS RELATIVE "${VIREO_SKIN_DIR}"
     "${VIREO_SKIN_DIR}/*")
list(SORT vireo_skin_members)
list(TRANSFORM vireo_skin_members PREPEND "${VIREO_SKIN_DIR}/" OUTPUT_VARIABLE vireo_skin_files)
set(vireo_skin_tools "${CMAKE_CURRENT_LIST_DIR}/../tools")

add_custom_command(
  OUTPUT "${VIREO_UI_ZIP}"
  COMMAND "${Python3_EXECUTABLE}" "${vireo_skin_tools}/draw_skin.py" --check
  COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_BINARY_DIR}/skin"
  COMMAND "${Python3_EXECUTABLE}" "${vireo_skin_tools}/zip_skin.py"
          "${VIREO_UI_ZIP}" "${VIREO_SKIN_DIR}" ${vireo_skin_members}
  DEPENDS ${vireo_skin_files} "${vireo_skin_tools}/draw_skin.py" "${vireo_skin_tools}/zip_skin.py"
  COMMENT "Checking and packing the window skin"
  VERBATIM)
add_custom_target(vireo_skin DEPENDS "${VIREO_UI_ZIP}")
