# Resource-only DLLs that stand in for the installer image in the extraction-step tests:
# each carries the 7-Zip module and one package built the way the installer's is.
set(unzip_fixtures "${CMAKE_BINARY_DIR}/unzip_fixtures")

# A browser tree: main executable, a version folder with the uninstaller, a nested file.
set(browser "${unzip_fixtures}/browser")
file(MAKE_DIRECTORY "${browser}/1.2.3.4/Installer" "${browser}/1.2.3.4/Locales")
file(WRITE "${browser}/vireo.exe" "new main executable\n")
file(WRITE "${browser}/readme.txt" "new readme\n")
file(WRITE "${browser}/1.2.3.4/Installer/uninstaller.exe" "uninstaller\n")
file(WRITE "${browser}/1.2.3.4/Locales/en-US.pak" "strings\n")

# A program archive without the top folder "Chrome-bin".
set(flat "${unzip_fixtures}/flat")
file(MAKE_DIRECTORY "${flat}/other")
file(WRITE "${flat}/loose.txt" "loose\n")
file(WRITE "${flat}/other/inner.txt" "inner\n")
add_custom_command(
  OUTPUT "${unzip_fixtures}/flat.7z"
  COMMAND ${CMAKE_COMMAND} -E rm -f "${unzip_fixtures}/flat.7z"
  COMMAND ${CMAKE_COMMAND} -E chdir "${flat}" ${VIREO_7ZZ} a -bd -bso0 -t7z "${unzip_fixtures}/flat.7z" .
  VERBATIM)

# A "chrome.7z" that is no archive at all.
file(WRITE "${unzip_fixtures}/broken_program.txt" "not an archive\n")

vireo_pack_payload(unzip_pkg_browser NAME unzip_browser CHROME_BIN "${browser}")
vireo_pack_payload(unzip_pkg_flat NAME unzip_flat PROGRAM_ARCHIVE "${unzip_fixtures}/flat.7z")
vireo_pack_payload(unzip_pkg_broken NAME unzip_broken PROGRAM_ARCHIVE "${unzip_fixtures}/broken_program.txt")

# The same program archive in a package that compresses it: it cannot be read in place.
set(unzip_pkg_compressed "${unzip_fixtures}/compressed_package.7z")
add_custom_command(
  OUTPUT "${unzip_pkg_compressed}"
  COMMAND ${CMAKE_COMMAND} -E rm -f "${unzip_pkg_compressed}"
  COMMAND ${CMAKE_COMMAND} -E chdir "${CMAKE_BINARY_DIR}/payload/unzip_browser"
          ${VIREO_7ZZ} a -bd -bso0 -t7z -mx=1 "${unzip_pkg_compressed}" chrome.7z
  DEPENDS "${unzip_pkg_browser}"
  VERBATIM)

set(unzip_fixture_dlls "")
foreach(kind browser flat broken compressed)
  set(rc "${unzip_fixtures}/unzip_${kind}.rc")
  file(WRITE "${rc}" "IDR_DLL_7Z PACKAGE \"${VIREO_7Z_DLL}\"\nIDR_ZIP_PACKAGE PACKAGE \"${unzip_pkg_${kind}}\"\n")
  set_source_files_properties("${rc}" PROPERTIES OBJECT_DEPENDS "${VIREO_7Z_DLL};${unzip_pkg_${kind}}")
  add_library(unzip_${kind} SHARED "${CMAKE_CURRENT_LIST_DIR}/resource_only.c" "${rc}")
  target_link_libraries(unzip_${kind} PRIVATE vireo_flags)
  set_target_properties(unzip_${kind} PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY "${unzip_fixtures}")
  list(APPEND unzip_fixture_dlls unzip_${kind})
endforeach()
add_custom_target(unzip_fixtures DEPENDS ${unzip_fixture_dlls})
