# What a browser folder and a version must look like before they become an installer. Used at
# configure time by VireoInstaller.cmake and at build time by chrome_bin_listing.cmake (the
# folder is often staged by the build itself, so it can only be checked then).
#
#   vireo_version_problem(<out_var> <version>)
#       <out_var> = "" for four dot-separated numbers each at most 65535, else why not.
#
#   vireo_pe_file_version(<out_var> <exe>)
#       <out_var> = the file version "a.b.c.d" of a Windows program's version resource,
#       "" when it has none.
#
#   vireo_chrome_bin_problem(<out_var> <folder> [NO_UNINSTALLER])
#       <out_var> = "" for a folder the installer can carry, else why not: it needs
#       "vireo.exe", a version folder named by four numbers, the folder named by vireo.exe's
#       file version (the update clean-up deletes every other version folder, so a mismatch
#       would delete the installed browser's own) and "<version>\Installer\uninstaller.exe"
#       (which NO_UNINSTALLER waives for deliberately incomplete test payloads).
include_guard(GLOBAL)

function(vireo_version_problem out_var version)
  set(${out_var} "" PARENT_SCOPE)
  if(NOT version MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)\\.([0-9]+)$")
    set(${out_var} "'${version}' is not a version of four dot-separated numbers (a.b.c.d)" PARENT_SCOPE)
    return()
  endif()
  foreach(part "${CMAKE_MATCH_1}" "${CMAKE_MATCH_2}" "${CMAKE_MATCH_3}" "${CMAKE_MATCH_4}")
    # A file version keeps each part in 16 bits; the length test keeps huge numbers from
    # overflowing the comparison.
    string(LENGTH "${part}" digits)
    if(digits GREATER 5 OR part GREATER 65535)
      set(${out_var} "'${version}': ${part} is above 65535, the largest part of a file version" PARENT_SCOPE)
      return()
    endif()
  endforeach()
endfunction()

# The 16-bit number stored little-endian in the four hex digits at |offset| of |hex|.
function(_vireo_hex_word out_var hex offset)
  math(EXPR high "${offset} + 2")
  string(SUBSTRING "${hex}" ${offset} 2 low_byte)
  string(SUBSTRING "${hex}" ${high} 2 high_byte)
  math(EXPR value "0x${high_byte}${low_byte}")
  set(${out_var} "${value}" PARENT_SCOPE)
endfunction()

function(vireo_pe_file_version out_var exe)
  set(${out_var} "" PARENT_SCOPE)
  if(NOT EXISTS "${exe}" OR IS_DIRECTORY "${exe}")
    return()
  endif()
  file(READ "${exe}" hex HEX)
  # The UTF-16 key "VS_VERSION_INFO", then VS_FIXEDFILEINFO, which starts with 0xFEEF04BD.
  string(FIND "${hex}" "560053005f00560045005200530049004f004e005f0049004e0046004f00" key)
  if(key LESS 0)
    return()
  endif()
  string(SUBSTRING "${hex}" ${key} 400 block)
  string(FIND "${block}" "bd04effe" signature)
  math(EXPR odd "${signature} % 2")
  if(signature LESS 0 OR odd)
    return()
  endif()
  # Signature, structure version, then the version's high and low 32 bits.
  math(EXPR ms "${key} + ${signature} + 16")
  math(EXPR ls "${ms} + 8")
  math(EXPR ms_high "${ms} + 4")
  math(EXPR ls_high "${ls} + 4")
  _vireo_hex_word(major "${hex}" ${ms_high})
  _vireo_hex_word(minor "${hex}" ${ms})
  _vireo_hex_word(build "${hex}" ${ls_high})
  _vireo_hex_word(patch "${hex}" ${ls})
  set(${out_var} "${major}.${minor}.${build}.${patch}" PARENT_SCOPE)
endfunction()

function(vireo_chrome_bin_problem out_var folder)
  cmake_parse_arguments(A "NO_UNINSTALLER" "" "" ${ARGN})
  set(${out_var} "" PARENT_SCOPE)
  if(NOT IS_DIRECTORY "${folder}")
    set(${out_var} "CHROME_BIN '${folder}' is not a folder" PARENT_SCOPE)
    return()
  endif()
  if(NOT EXISTS "${folder}/vireo.exe" OR IS_DIRECTORY "${folder}/vireo.exe")
    set(${out_var} "CHROME_BIN '${folder}' has no vireo.exe" PARENT_SCOPE)
    return()
  endif()
  file(GLOB children LIST_DIRECTORIES true RELATIVE "${folder}" "${folder}/*")
  set(versions "")
  foreach(child IN LISTS children)
    if(IS_DIRECTORY "${folder}/${child}" AND child MATCHES "^[0-9]+\\.[0-9]+\\.[0-9]+\\.[0-9]+$")
      list(APPEND versions "${child}")
    endif()
  endforeach()
  if(NOT versions)
    set(${out_var} "CHROME_BIN '${folder}' has no version folder (a folder named by four numbers, such as 1.2.3.4)" PARENT_SCOPE)
    return()
  endif()
  vireo_pe_file_version(version "${folder}/vireo.exe")
  if(NOT version)
    set(${out_var} "CHROME_BIN '${folder}': vireo.exe has no file version" PARENT_SCOPE)
    return()
  endif()
  if(NOT version IN_LIST versions)
    list(JOIN versions ", " found)
    set(${out_var} "CHROME_BIN '${folder}': vireo.exe is version ${version} but its version folder is ${found}; an update would delete that folder as a leftover of an older version" PARENT_SCOPE)
    return()
  endif()
  if(NOT A_NO_UNINSTALLER AND NOT EXISTS "${folder}/${version}/Installer/uninstaller.exe")
    set(${out_var} "CHROME_BIN '${folder}' has no ${version}\\Installer\\uninstaller.exe" PARENT_SCOPE)
  endif()
endfunction()
