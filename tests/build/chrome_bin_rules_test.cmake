# The version and browser-folder rules of VireoChromeBin.cmake, case by case (cmake -P).
# Inputs: FIXTURES (the version fixtures' folder), WORK (a scratch folder).
cmake_minimum_required(VERSION 3.25)
include("${CMAKE_CURRENT_LIST_DIR}/../../cmake/VireoChromeBin.cmake")
set(failures 0)

# expect(<what> <actual> <expected fragment>): an empty fragment expects no problem.
function(expect what actual fragment)
  if("${fragment}" STREQUAL "")
    if(NOT "${actual}" STREQUAL "")
      message(SEND_ERROR "${what}: expected no problem, got: ${actual}")
    endif()
  else()
    string(FIND "${actual}" "${fragment}" at)
    if(at LESS 0)
      message(SEND_ERROR "${what}: expected '${fragment}', got: '${actual}'")
    endif()
  endif()
endfunction()

# Versions: four numbers, each at most 65535.
foreach(case "1.2.3.4|" "0.0.0.0|" "65535.65535.65535.65535|"
             "1.2.3|not a version of four" "1.2.3.4.5|not a version of four" "1.2.3.x|not a version of four"
             "|not a version of four" " 1.2.3.4|not a version of four"
             "1.2.3.65536|65536 is above 65535" "99999999999999999999.0.0.0|99999999999999999999 is above")
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 version)
  list(GET fields 1 fragment)
  vireo_version_problem(problem "${version}")
  expect("version '${version}'" "${problem}" "${fragment}")
endforeach()

# File versions read from real programs.
foreach(case "version_1_2_3_4|1.2.3.4" "version_1_65535_65535_65535|1.65535.65535.65535" "version_none|")
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 name)
  list(GET fields 1 expected)
  vireo_pe_file_version(version "${FIXTURES}/${name}.exe")
  if(NOT "${version}" STREQUAL "${expected}")
    message(SEND_ERROR "file version of ${name}: expected '${expected}', got '${version}'")
  endif()
endforeach()

# Browser folders: one complete tree, then each rule broken once.
function(make_tree dir exe version_folder uninstaller)
  file(REMOVE_RECURSE "${dir}")
  file(MAKE_DIRECTORY "${dir}/${version_folder}/Installer")
  if(exe)
    file(COPY_FILE "${FIXTURES}/${exe}.exe" "${dir}/vireo.exe")
  endif()
  if(uninstaller)
    file(WRITE "${dir}/${version_folder}/Installer/uninstaller.exe" "uninstaller")
  endif()
endfunction()
set(t "${WORK}/tree")
foreach(case "complete|version_1_2_3_4|1.2.3.4|ON||"
             "no vireo.exe||1.2.3.4|ON||has no vireo.exe"
             "no version folder|version_1_2_3_4|Locales|ON||has no version folder"
             "unversioned vireo.exe|version_none|1.2.3.4|ON||vireo.exe has no file version"
             "version names another folder|version_1_2_3_4|1.2.3.5|ON||is version 1.2.3.4 but its version folder is 1.2.3.5"
             "no uninstaller|version_1_2_3_4|1.2.3.4|OFF||has no 1.2.3.4\\Installer\\uninstaller.exe"
             "no uninstaller, waived|version_1_2_3_4|1.2.3.4|OFF|NO_UNINSTALLER|")
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 what)
  list(GET fields 1 exe)
  list(GET fields 2 version_folder)
  list(GET fields 3 uninstaller)
  list(GET fields 4 waiver)
  list(GET fields 5 fragment)
  make_tree("${t}" "${exe}" "${version_folder}" ${uninstaller})
  vireo_chrome_bin_problem(problem "${t}" ${waiver})
  expect("${what}" "${problem}" "${fragment}")
endforeach()
vireo_chrome_bin_problem(problem "${WORK}/missing")
expect("missing folder" "${problem}" "is not a folder")
file(REMOVE_RECURSE "${WORK}")
