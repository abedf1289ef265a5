# The uninstaller in a packed browser: the project's own where the folder brought none, the
# folder's own where it did, and the project's within 3 MiB (run with cmake -P).
# Inputs: SEVENZIP, VERSION, UNINSTALLER (the project's), STUB (a folder's own),
# SUPPLIED (chrome.7z of a folder without one), KEPT (chrome.7z of a folder with one), WORK.
cmake_minimum_required(VERSION 3.25)
set(limit 3145728)

file(SIZE "${UNINSTALLER}" size)
if(size GREATER limit)
  message(FATAL_ERROR "the uninstaller has ${size} bytes, more than ${limit}")
endif()

function(expect_uninstaller archive expected)
  file(REMOVE_RECURSE "${WORK}")
  file(MAKE_DIRECTORY "${WORK}")
  execute_process(COMMAND "${SEVENZIP}" e -bd -bso0 "-o${WORK}" "${archive}" "Chrome-bin/${VERSION}/Installer/uninstaller.exe"
                  RESULT_VARIABLE failed)
  if(failed OR NOT EXISTS "${WORK}/uninstaller.exe")
    message(FATAL_ERROR "${archive} holds no Chrome-bin/${VERSION}/Installer/uninstaller.exe")
  endif()
  file(MD5 "${WORK}/uninstaller.exe" got)
  file(MD5 "${expected}" want)
  if(NOT got STREQUAL want)
    message(FATAL_ERROR "${archive}: the uninstaller is not ${expected}")
  endif()
endfunction()

expect_uninstaller("${SUPPLIED}" "${UNINSTALLER}")
expect_uninstaller("${KEPT}" "${STUB}")
file(REMOVE_RECURSE "${WORK}")
