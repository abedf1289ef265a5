# Asserts that an installer exe is lean (run with cmake -P).
# Inputs: EXE, PACKAGE (its IDR_ZIP_PACKAGE payload), OBJDUMP.
cmake_minimum_required(VERSION 3.25)
set(limit 3145728)  # 3 MiB: code, 7-Zip module, skin, configuration and icon together

execute_process(COMMAND "${OBJDUMP}" -h "${EXE}" OUTPUT_VARIABLE sections RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "cannot read the sections of ${EXE}")
endif()
string(REGEX MATCHALL "\\.debug_[a-z_]+" debug "${sections}")
if(debug)
  message(FATAL_ERROR "${EXE} carries debug sections: ${debug}")
endif()
if(NOT sections MATCHES "\\.gnu_debuglink")
  message(FATAL_ERROR "${EXE} has no debug link to its symbols")
endif()

# Every section's file offset is page-aligned, so the loader maps the package instead of
# copying it at start-up.
execute_process(COMMAND "${OBJDUMP}" -p "${EXE}" OUTPUT_VARIABLE headers RESULT_VARIABLE failed)
if(failed OR NOT headers MATCHES "FileAlignment[ \t]+0*1000\n")
  message(FATAL_ERROR "${EXE} is not page-aligned in its file")
endif()

# The symbols beside it name the installer's own functions (crash addresses resolve).
execute_process(COMMAND "${OBJDUMP}" -t "${EXE}.debug" OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
if(failed OR NOT symbols MATCHES " wWinMain\n")
  message(FATAL_ERROR "${EXE}.debug does not hold the installer's symbols")
endif()

file(SIZE "${EXE}" exe_size)
file(SIZE "${PACKAGE}" package_size)
math(EXPR added "${exe_size} - ${package_size}")
message(STATUS "the installer adds ${added} bytes to its ${package_size}-byte package (limit ${limit})")
if(added GREATER limit)
  message(FATAL_ERROR "the installer adds ${added} bytes to its package, more than ${limit}")
endif()
