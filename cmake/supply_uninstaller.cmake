# Adds the project's uninstaller to a packed chrome.7z as
# "Chrome-bin/<version>/Installer/uninstaller.exe" when the browser folder brings none; a
# folder with its own keeps it (run with cmake -P; see vireo_pack_payload).
# Inputs: FOLDER (the browser folder), ARCHIVE (chrome.7z), UNINSTALLER (the program),
# WORK (a scratch folder), SEVENZIP.
cmake_minimum_required(VERSION 3.25)
include("${CMAKE_CURRENT_LIST_DIR}/VireoChromeBin.cmake")

vireo_pe_file_version(version "${FOLDER}/vireo.exe")
if(NOT version)
  message(FATAL_ERROR "vireo_add_installer: '${FOLDER}/vireo.exe' has no file version")
endif()
if(EXISTS "${FOLDER}/${version}/Installer/uninstaller.exe")
  return()
endif()
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/Chrome-bin/${version}/Installer")
file(COPY_FILE "${UNINSTALLER}" "${WORK}/Chrome-bin/${version}/Installer/uninstaller.exe")
execute_process(COMMAND "${SEVENZIP}" a -bd -bso0 -t7z -mx=5 "${ARCHIVE}" "Chrome-bin/${version}/Installer/uninstaller.exe"
                WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE failed)
file(REMOVE_RECURSE "${WORK}")
if(failed)
  message(FATAL_ERROR "vireo_add_installer: the uninstaller could not be added to ${ARCHIVE}")
endif()
