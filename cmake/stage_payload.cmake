# Lays out a browser-shaped Chrome-bin folder (run with cmake -P; see demo/payload.cmake).
# Inputs: OUT, VERSION, BROWSER, PROGRAM, LIBRARY, UNINSTALLER (ON/OFF), DATA_MB, DATA_FILES,
# PYTHON.
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

# The benchmark's browser-shaped bulk (tools/bench_payload.py says what it is made of).
if(DATA_MB GREATER 0 AND DATA_FILES GREATER 0)
  execute_process(COMMAND "${PYTHON}" "${CMAKE_CURRENT_LIST_DIR}/../tools/bench_payload.py"
                          "${OUT}" "${VERSION}" "${DATA_MB}" "${DATA_FILES}"
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "the benchmark payload could not be made")
  endif()
endif()
