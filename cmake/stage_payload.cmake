# Lays out a browser-shaped Chrome-bin folder (run with cmake -P; see demo/payload.cmake).
# Inputs: OUT, VERSION, BROWSER, PROGRAM, LIBRARY, UNINSTALLER (ON/OFF), DATA_MB, DATA_FILES.
file(REMOVE_RECURSE "${OUT}")
set(v "${OUT}/${VERSION}")
file(MAKE_DIRECTORY "${v}/locales" "${v}/WidevineCdm/_platform_specific/win_x64")

file(COPY_FILE "${BROWSER}" "${OUT}/vireo.exe")
if(UNINSTALLER)
  file(MAKE_DIRECTORY "${v}/Installer")
  file(COPY_FILE "${PROGRAM}" "${v}/Installer/uninstaller.exe")
endif()
file(COPY_FILE "${PROGRAM}" "${v}/Screenshot.exe")
file(COPY_FILE "${LIBRARY}" "${v}/WidevineCdm/_platform_specific/win_x64/widevinecdm.dll")
file(WRITE "${v}/WidevineCdm/manifest.json"
  "{\n  \"name\": \"WidevineCdm\",\n  \"version\": \"4.10.2710.0\",\n  \"x-cdm-codecs\": \"vp8,vp9.0,avc1\"\n}\n")
file(WRITE "${v}/locales/en-US.pak" "en-US strings of Vireo ${VERSION}\n")
file(WRITE "${v}/locales/zh-CN.pak" "zh-CN strings of Vireo ${VERSION}\n")
file(WRITE "${v}/resources.pak" "resources of Vireo ${VERSION}\n")
file(WRITE "${OUT}/${VERSION}.manifest" "<assembly version=\"${VERSION}\"/>\n")

# Bulk data for benchmarks: DATA_FILES files sharing DATA_MB megabytes, spread over a few
# folders like a real browser build; half incompressible, half text-like (base64), so the
# decoder sees both kinds of LZMA2 chunks.
if(DATA_MB GREATER 0 AND DATA_FILES GREATER 0)
  math(EXPR per_file_kb "(${DATA_MB} * 1024) / ${DATA_FILES}")
  foreach(i RANGE 1 ${DATA_FILES})
    math(EXPR bucket "${i} % 8")
    math(EXPR kind "${i} % 2")
    file(MAKE_DIRECTORY "${v}/bulk${bucket}")
    if(kind)
      execute_process(COMMAND head -c ${per_file_kb}K /dev/urandom OUTPUT_FILE "${v}/bulk${bucket}/data${i}.bin")
    else()
      math(EXPR raw_kb "${per_file_kb} * 3 / 4")
      execute_process(COMMAND sh -c "head -c ${raw_kb}K /dev/urandom | base64"
                      OUTPUT_FILE "${v}/bulk${bucket}/text${i}.js")
    endif()
  endforeach()
endif()
