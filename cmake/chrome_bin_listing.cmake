# Writes the listing of a browser folder that the packing of chrome.7z depends on (run with
# cmake -P on every build; see vireo_pack_payload). Every file and folder with its size and
# MD5, so that replacing any file of the folder repacks the installer while an unchanged
# folder leaves the listing, and so the installer, untouched. With CHECK, refuses a folder
# that is no installable browser first (VireoChromeBin.cmake).
# Inputs: FOLDER, LISTING, CHECK (ON/OFF), NO_UNINSTALLER (ON/OFF).
cmake_minimum_required(VERSION 3.25)
include("${CMAKE_CURRENT_LIST_DIR}/VireoChromeBin.cmake")

if(CHECK)
  set(waiver "")
  if(NO_UNINSTALLER)
    set(waiver NO_UNINSTALLER)
  endif()
  vireo_chrome_bin_problem(problem "${FOLDER}" ${waiver})
  if(problem)
    message(FATAL_ERROR "vireo_add_installer: ${problem}")
  endif()
endif()

file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE "${FOLDER}" "${FOLDER}/*")
list(SORT entries)
set(lines "")
foreach(entry IN LISTS entries)
  if(IS_DIRECTORY "${FOLDER}/${entry}")
    string(APPEND lines "${entry}/\n")
  else()
    file(SIZE "${FOLDER}/${entry}" size)
    file(MD5 "${FOLDER}/${entry}" digest)
    string(APPEND lines "${entry} ${size} ${digest}\n")
  endif()
endforeach()

# Written only when it changed: its time is what the packing step compares.
file(WRITE "${LISTING}.new" "${lines}")
file(COPY_FILE "${LISTING}.new" "${LISTING}" ONLY_IF_DIFFERENT)
file(REMOVE "${LISTING}.new")
