# Build helpers that turn a browser folder and a version into an installer executable.
#
#   vireo_version_rc(<out_var> VERSION a.b.c.d NAME file.exe DESCRIPTION "text")
#       Generates a version resource script; <out_var> receives its path.
#
#   vireo_pack_payload(<out_var> NAME id (CHROME_BIN <dir> | PROGRAM_ARCHIVE <chrome.7z>)
#                      [CHECK [NO_UNINSTALLER]] [UNINSTALLER <exe>] [DEPENDS files-or-targets...])
#       Packs <dir> as the top folder "Chrome-bin" of "chrome.7z" (VIREO_PROGRAM_PACKING) and
#       stores that in the package archive (no second compression). <out_var> receives the
#       package path. Every file of <dir> counts: a listing of the folder (names, sizes,
#       digests) is refreshed on every build and the packing depends on it. CHECK refuses, at
#       build time, a folder that is no installable browser (VireoChromeBin.cmake). With
#       UNINSTALLER, a folder without "<version>\Installer\uninstaller.exe" gets <exe> there
#       in the archive (the folder itself is left alone); one that has its own keeps it.
#
#   vireo_add_uninstaller()
#       The project's uninstaller, target vireo_uninstaller: the installer program with its
#       configuration, skin, manifest, icon and version resource but no package and no 7-Zip
#       module, "uninstaller.exe" in VIREO_UNINSTALLER_DIR. Made once; vireo_add_installer
#       calls it.
#
#   vireo_ship_program(<target>)
#       Marks an exe target as shipped: tests/build checks that its import table names only
#       the system's known DLLs (cmake/system_dlls.cmake). Every program linked through
#       vireo_add_installer (or finished like it) is marked already.
#
#   vireo_add_installer(<target> VERSION a.b.c.d
#                       (CHROME_BIN <dir> | PROGRAM_ARCHIVE <file> | PACKAGE <file>)
#                       [CONFIG <json>] [UI <zip>] [DEPENDS ...] [OUTPUT_DIRECTORY <dir>]
#                       [OUTPUT_NAME <name>] [DEFINITIONS ...]
#                       [SIGN_CERT <pem> SIGN_KEY <pem>])
#       A browser folder without an uninstaller gets the project's (vireo_add_uninstaller),
#       except the NO_UNINSTALLER test payloads. Links the installer program with its own resources: configuration, the 7-Zip
#       module (VIREO_7Z_DLL, stored gzip-compressed: VIREO_7Z_DLL_GZ), package, skin (by default the
#       packed resources/skin, VIREO_UI_ZIP of VireoSkin.cmake), manifest, icon 107 and a
#       version resource with VERSION (refused at configure time unless four numbers each at
#       most 65535). The exe is lean: unreferenced code and data are dropped at link time and
#       its symbols move to "<exe>.debug" beside it, named by the exe's debug link. With
#       SIGN_CERT and SIGN_KEY the finished exe is signed (Authenticode, SHA-256, time-stamped
#       by VIREO_SIGN_TIMESTAMP_URL when set); signing comes last because the signature covers
#       the resources.

set(VIREO_RESOURCES_DIR "${CMAKE_CURRENT_LIST_DIR}/../resources")
find_program(VIREO_7ZZ NAMES 7zz 7z REQUIRED)
include(${CMAKE_CURRENT_LIST_DIR}/VireoSkin.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/VireoChromeBin.cmake)
set(VIREO_CMAKE_DIR "${CMAKE_CURRENT_LIST_DIR}")

# The installer carries the full 7-Zip module, with its fast decoders, compressed: raw it
# would not fit the installer's 3 MiB budget. The installer inflates it as it writes it out.
find_program(VIREO_GZIP NAMES gzip REQUIRED)
set(VIREO_7Z_DLL_GZ "${CMAKE_BINARY_DIR}/generated/7z.dll.gz")
if(NOT TARGET vireo_7z_module)
  add_custom_command(
    OUTPUT "${VIREO_7Z_DLL_GZ}"
    COMMAND ${CMAKE_COMMAND} -E copy "${VIREO_7Z_DLL}" "${CMAKE_BINARY_DIR}/generated/7z.dll"
    COMMAND ${VIREO_GZIP} -9 -n -f "${CMAKE_BINARY_DIR}/generated/7z.dll"
    DEPENDS "${VIREO_7Z_DLL}"
    COMMENT "Compressing the 7-Zip module for the installer"
    VERBATIM)
  add_custom_target(vireo_7z_module DEPENDS "${VIREO_7Z_DLL_GZ}")
endif()

set(VIREO_SIGN_TIMESTAMP_URL "" CACHE STRING
    "Time-stamp server for signed installers (empty: no time stamp, the build has no network)")
# How chrome.7z is packed; chosen from measurements on the benchmark payload (README,
# "Performance", tools/bench_packing.sh). BCJ2 splits the machine code's call and jump
# targets into streams of their own, which the module decodes on threads of their own: the
# same size as plain LZMA2, half the extraction time. Those two streams are 32-bit addresses,
# packed best with a large dictionary and no literal context (lc0:lp2). 48 MiB blocks in the
# main stream let its blocks decode side by side on two cores; the strongest match search
# (-mx9, fb273) costs time only when packing. The installer reads the archive through its
# file, not its mapped image, which leaves room in memory for these blocks: 32 MiB blocks
# were 0.9 % larger; 64 MiB blocks pack 0.5 % smaller but hold 40 MiB more in the decoder
# and leave one core idle at the end (a third slower); 128 MiB and more, slower still.
set(VIREO_PROGRAM_PACKING -t7z -mx=9 -m0=BCJ2 -m1=LZMA2:d25:c48m:fb273 -m2=LZMA:d26:lc0:lp2
    -m3=LZMA:d26:lc0:lp2 -mb0:1 -mb0s1:2 -mb0s2:3 -mmt=2)

function(vireo_ship_program target)
  set_property(GLOBAL APPEND PROPERTY VIREO_SHIPPED_PROGRAMS ${target})
endfunction()

function(vireo_version_rc out_var)
  cmake_parse_arguments(A "" "VERSION;NAME;DESCRIPTION" "" ${ARGN})
  vireo_version_problem(problem "${A_VERSION}")
  if(problem)
    message(FATAL_ERROR "vireo_version_rc: VERSION ${problem}")
  endif()
  string(REPLACE "." "," VIREO_VER_COMMA "${A_VERSION}")
  set(VIREO_VER_DOT "${A_VERSION}")
  set(VIREO_ORIGINAL_NAME "${A_NAME}")
  set(VIREO_FILE_DESCRIPTION "${A_DESCRIPTION}")
  string(MAKE_C_IDENTIFIER "${A_NAME}_${A_VERSION}" id)
  set(out "${CMAKE_BINARY_DIR}/generated/version_${id}.rc")
  configure_file("${VIREO_RESOURCES_DIR}/version.rc.in" "${out}" @ONLY)
  set(${out_var} "${out}" PARENT_SCOPE)
endfunction()

function(vireo_pack_payload out_var)
  cmake_parse_arguments(A "CHECK;NO_UNINSTALLER" "NAME;CHROME_BIN;PROGRAM_ARCHIVE;UNINSTALLER" "DEPENDS" ${ARGN})
  set(dir "${CMAKE_BINARY_DIR}/payload/${A_NAME}")
  set(package "${dir}/package.7z")
  if(A_CHROME_BIN)
    set(program "${dir}/chrome.7z")
    set(listing "${dir}/chrome_bin.listing")
    # The scan output never exists, so the listing step runs on every build; the listing
    # itself changes only with the folder. It is a by-product so that the build looks at its
    # time again after the step (an unchanged listing leaves the packing alone).
    set(scan "${dir}/chrome_bin.scan")
    set(supply "")
    if(A_UNINSTALLER)
      set(A_NO_UNINSTALLER ON)
      set(supply COMMAND ${CMAKE_COMMAND} -DFOLDER=${A_CHROME_BIN} -DARCHIVE=${program} -DUNINSTALLER=${A_UNINSTALLER}
                         -DWORK=${dir}/supplied -DSEVENZIP=${VIREO_7ZZ} -P "${VIREO_CMAKE_DIR}/supply_uninstaller.cmake")
    endif()
    set_source_files_properties("${scan}" PROPERTIES SYMBOLIC TRUE)
    add_custom_command(
      OUTPUT "${scan}"
      BYPRODUCTS "${listing}"
      COMMAND ${CMAKE_COMMAND} -DFOLDER=${A_CHROME_BIN} -DLISTING=${listing}
              -DCHECK=${A_CHECK} -DNO_UNINSTALLER=${A_NO_UNINSTALLER}
              -P "${VIREO_CMAKE_DIR}/chrome_bin_listing.cmake"
      DEPENDS ${A_DEPENDS} "${VIREO_CMAKE_DIR}/chrome_bin_listing.cmake" "${VIREO_CMAKE_DIR}/VireoChromeBin.cmake"
      COMMENT "Listing Chrome-bin of ${A_NAME}"
      VERBATIM)
    # A link named Chrome-bin gives the archive its top folder whatever the source is called;
    # 7-Zip follows it while packing.
    add_custom_command(
      OUTPUT "${program}"
      COMMAND ${CMAKE_COMMAND} -E rm -rf "${program}" "${dir}/stage"
      COMMAND ${CMAKE_COMMAND} -E make_directory "${dir}/stage"
      COMMAND ${CMAKE_COMMAND} -E create_symlink "${A_CHROME_BIN}" "${dir}/stage/Chrome-bin"
      COMMAND ${CMAKE_COMMAND} -E chdir "${dir}/stage"
              ${VIREO_7ZZ} a -bd -bso0 ${VIREO_PROGRAM_PACKING} "${program}" Chrome-bin
      ${supply}
      DEPENDS "${scan}" "${listing}" ${A_DEPENDS} ${A_UNINSTALLER} "${VIREO_CMAKE_DIR}/supply_uninstaller.cmake"
      COMMENT "Packing Chrome-bin of ${A_NAME}"
      VERBATIM)
  elseif(A_PROGRAM_ARCHIVE)
    set(program "${dir}/chrome.7z")
    add_custom_command(
      OUTPUT "${program}"
      COMMAND ${CMAKE_COMMAND} -E make_directory "${dir}"
      COMMAND ${CMAKE_COMMAND} -E copy "${A_PROGRAM_ARCHIVE}" "${program}"
      DEPENDS "${A_PROGRAM_ARCHIVE}" ${A_DEPENDS}
      VERBATIM)
  else()
    message(FATAL_ERROR "vireo_pack_payload: CHROME_BIN or PROGRAM_ARCHIVE is required")
  endif()
  # Stored as is (-mx=0), so the installer extracts chrome.7z from where it lies in its own
  # image; without time stamps, so the same chrome.7z always gives the same package.
  add_custom_command(
    OUTPUT "${package}"
    COMMAND ${CMAKE_COMMAND} -E rm -f "${package}"
    COMMAND ${CMAKE_COMMAND} -E chdir "${dir}" ${VIREO_7ZZ} a -bd -bso0 -t7z -mx=0 -mtm- -mtc- -mta- "${package}" chrome.7z
    DEPENDS "${program}"
    COMMENT "Storing chrome.7z of ${A_NAME} in its package"
    VERBATIM)
  set(${out_var} "${package}" PARENT_SCOPE)
endfunction()

# Sections start on page boundaries in the file as well as in memory, so the loader can map
# the image's pages from the file instead of copying them: Wine reads every section whose file
# offset is not page-aligned into fresh memory at start-up, which for the package resource
# meant copying 80 MB before the first instruction ran. Costs under 4 KB per section.
set(VIREO_PAGE_ALIGNED_IMAGE -Wl,--file-alignment=0x1000)

function(vireo_add_installer target)
  cmake_parse_arguments(A "" "VERSION;CHROME_BIN;PROGRAM_ARCHIVE;PACKAGE;CONFIG;UI;OUTPUT_DIRECTORY;OUTPUT_NAME;SIGN_CERT;SIGN_KEY"
                        "DEPENDS;DEFINITIONS" ${ARGN})
  vireo_version_problem(problem "${A_VERSION}")
  if(problem)
    message(FATAL_ERROR "vireo_add_installer(${target}): VERSION ${problem}")
  endif()
  if(A_PACKAGE)
    set(package "${A_PACKAGE}")
  elseif(A_CHROME_BIN)
    # Test payloads staged without an uninstaller on purpose (vireo_stage_payload
    # NO_UNINSTALLER) are let through; every other folder must be complete.
    get_property(incomplete GLOBAL PROPERTY VIREO_PAYLOADS_WITHOUT_UNINSTALLER)
    if("${A_CHROME_BIN}" IN_LIST incomplete)
      set(completion NO_UNINSTALLER)
    else()
      vireo_add_uninstaller()
      set(completion UNINSTALLER "${VIREO_UNINSTALLER_EXE}")
      list(APPEND A_DEPENDS vireo_uninstaller)
    endif()
    vireo_pack_payload(package NAME ${target} CHROME_BIN "${A_CHROME_BIN}" CHECK ${completion} DEPENDS ${A_DEPENDS})
  else()
    vireo_pack_payload(package NAME ${target} PROGRAM_ARCHIVE "${A_PROGRAM_ARCHIVE}" DEPENDS ${A_DEPENDS})
  endif()
  if(NOT A_CONFIG)
    set(A_CONFIG "${VIREO_RESOURCES_DIR}/config.json")
  endif()
  if(NOT A_UI)
    set(A_UI "${VIREO_UI_ZIP}")
  endif()
  vireo_version_rc(version_rc VERSION ${A_VERSION} NAME "vireo_setup.exe" DESCRIPTION "Vireo Setup")
  set(VIREO_RC_MANIFEST "${VIREO_RESOURCES_DIR}/vireo_setup.manifest")
  set(VIREO_RC_ICON "${VIREO_RESOURCES_DIR}/vireo.ico")
  set(VIREO_RC_CONFIG "${A_CONFIG}")
  set(VIREO_RC_7Z_DLL "${VIREO_7Z_DLL_GZ}")
  set(VIREO_RC_PACKAGE "${package}")
  set(VIREO_RC_UI "${A_UI}")
  set(VIREO_RC_VERSION "${version_rc}")
  set(rc "${CMAKE_BINARY_DIR}/generated/${target}.rc")
  configure_file("${VIREO_RESOURCES_DIR}/installer.rc.in" "${rc}" @ONLY)
  set_source_files_properties("${rc}" PROPERTIES
    OBJECT_DEPENDS "${package};${A_CONFIG};${A_UI};${VIREO_7Z_DLL_GZ};${version_rc};${VIREO_RC_MANIFEST};${VIREO_RC_ICON}")

  add_executable(${target} WIN32 "${CMAKE_SOURCE_DIR}/installer/main.cc" "${rc}")
  add_dependencies(${target} vireo_7z_module)
  if(A_UI STREQUAL VIREO_UI_ZIP)
    add_dependencies(${target} vireo_skin)
  endif()
  target_link_libraries(${target} PRIVATE vireo_flags vireo_installer_ui)
  target_link_options(${target} PRIVATE -municode -mwindows -Wl,--gc-sections ${VIREO_PAGE_ALIGNED_IMAGE})
  if(A_DEFINITIONS)
    target_compile_definitions(${target} PRIVATE ${A_DEFINITIONS})
  endif()
  if(NOT A_OUTPUT_NAME)
    set(A_OUTPUT_NAME "vireo_setup")
  endif()
  if(NOT A_OUTPUT_DIRECTORY)
    set(A_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/installers/${target}")
  endif()
  set_target_properties(${target} PROPERTIES OUTPUT_NAME "${A_OUTPUT_NAME}"
                        RUNTIME_OUTPUT_DIRECTORY "${A_OUTPUT_DIRECTORY}")
  _vireo_finish_installer(${target} "${A_SIGN_CERT}" "${A_SIGN_KEY}")
endfunction()

set(VIREO_UNINSTALLER_DIR "${CMAKE_BINARY_DIR}/uninstaller")
set(VIREO_UNINSTALLER_EXE "${VIREO_UNINSTALLER_DIR}/uninstaller.exe")
function(vireo_add_uninstaller)
  if(TARGET vireo_uninstaller)
    return()
  endif()
  vireo_version_rc(version_rc VERSION ${VIREO_FILE_VERSION} NAME "uninstaller.exe" DESCRIPTION "Vireo Uninstaller")
  set(VIREO_RC_MANIFEST "${VIREO_RESOURCES_DIR}/vireo_setup.manifest")
  set(VIREO_RC_ICON "${VIREO_RESOURCES_DIR}/vireo.ico")
  set(VIREO_RC_CONFIG "${VIREO_RESOURCES_DIR}/config.json")
  set(VIREO_RC_UI "${VIREO_UI_ZIP}")
  set(VIREO_RC_VERSION "${version_rc}")
  set(rc "${CMAKE_BINARY_DIR}/generated/vireo_uninstaller.rc")
  configure_file("${VIREO_RESOURCES_DIR}/uninstaller.rc.in" "${rc}" @ONLY)
  set_source_files_properties("${rc}" PROPERTIES
    OBJECT_DEPENDS "${VIREO_RC_CONFIG};${VIREO_UI_ZIP};${version_rc};${VIREO_RC_MANIFEST};${VIREO_RC_ICON}")
  add_executable(vireo_uninstaller WIN32 "${CMAKE_SOURCE_DIR}/installer/main.cc" "${rc}")
  add_dependencies(vireo_uninstaller vireo_skin)
  target_link_libraries(vireo_uninstaller PRIVATE vireo_flags vireo_installer_ui)
  target_link_options(vireo_uninstaller PRIVATE -municode -mwindows -Wl,--gc-sections ${VIREO_PAGE_ALIGNED_IMAGE})
  set_target_properties(vireo_uninstaller PROPERTIES OUTPUT_NAME "uninstaller"
                        RUNTIME_OUTPUT_DIRECTORY "${VIREO_UNINSTALLER_DIR}")
  _vireo_finish_installer(vireo_uninstaller "" "")
endfunction()

# After the link: the symbols go to "<exe>.debug" and the exe keeps only a debug link to it;
# then, when a certificate is given, the signature. Every program finished here is shipped.
function(_vireo_finish_installer target cert key)
  vireo_ship_program(${target})
  set(exe "$<TARGET_FILE:${target}>")
  set(sign "")
  if(cert OR key)
    if(NOT cert OR NOT key)
      message(FATAL_ERROR "vireo_add_installer(${target}): SIGN_CERT and SIGN_KEY go together")
    endif()
    find_program(VIREO_OSSLSIGNCODE osslsigncode)
    if(NOT VIREO_OSSLSIGNCODE)
      message(FATAL_ERROR "vireo_add_installer(${target}): signing needs osslsigncode (tools/setup.sh)")
    endif()
    set(stamp "")
    if(VIREO_SIGN_TIMESTAMP_URL)
      set(stamp -ts "${VIREO_SIGN_TIMESTAMP_URL}")
    endif()
    set(sign
      COMMAND "${VIREO_OSSLSIGNCODE}" sign -certs "${cert}" -key "${key}" -h sha256 -n "Vireo Setup"
              ${stamp} -in "${exe}" -out "${exe}.signed"
      COMMAND ${CMAKE_COMMAND} -E rename "${exe}.signed" "${exe}")
    # A new certificate or key signs again.
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS "${cert}" "${key}")
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND "${CMAKE_OBJCOPY}" --only-keep-debug "${exe}" "${exe}.debug"
    COMMAND "${CMAKE_OBJCOPY}" --strip-all "--add-gnu-debuglink=${exe}.debug" "${exe}"
    ${sign}
    VERBATIM)
endfunction()
