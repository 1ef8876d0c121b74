# Lays out the distribution folder: setup and every file its install script lists (those
# the script marks Compressed compressed), the form inside setup rebuilt so that each
# file record (setup's own included) carries the real size and date of its file,
# SETUP.SUM with the size and checksum of each file as it ships, and a .tar.gz of the
# folder. The files as built are gathered in STAGE_DIR first.
#
# cmake -DDIST_DIR=... -DSTAGE_DIR=... -DARCHIVE=... -DFORM=... -DSETUPRES=... -DFILES="a;b;..."
#       [-DSTRIP=strip -DPROGRAMS="those of FILES to strip"] -P make_distribution.cmake
foreach(variable DIST_DIR STAGE_DIR ARCHIVE FORM SETUPRES FILES)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "make_distribution: ${variable} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE "${DIST_DIR}" "${STAGE_DIR}")
file(MAKE_DIRECTORY "${DIST_DIR}" "${STAGE_DIR}")
# file(COPY) keeps each file's date and permissions, so the records stay true.
foreach(shipped IN LISTS FILES)
  if(NOT EXISTS "${shipped}")
    message(FATAL_ERROR "make_distribution: ${shipped} is missing")
  endif()
  file(COPY "${shipped}" DESTINATION "${STAGE_DIR}")
endforeach()

# The programs ship without their debugging sections (the resource stays in place).
if(DEFINED STRIP AND NOT "${STRIP}" STREQUAL "")
  foreach(shipped IN LISTS PROGRAMS)
    get_filename_component(name "${shipped}" NAME)
    execute_process(COMMAND "${STRIP}" --strip-debug "${STAGE_DIR}/${name}" RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
      message(FATAL_ERROR "make_distribution: stripping ${name} failed")
    endif()
  endforeach()
endif()

get_filename_component(work_dir "${DIST_DIR}" DIRECTORY)
set(stream "${work_dir}/TSetupForm.res")
execute_process(
  COMMAND "${SETUPRES}" compile "${FORM}" "${stream}" --files "${STAGE_DIR}" --pack "${DIST_DIR}"
  RESULT_VARIABLE result ERROR_VARIABLE warnings)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "make_distribution: compiling the form failed: ${warnings}")
endif()
if(NOT "${warnings}" STREQUAL "")
  # Every file the script names must ship.
  message(FATAL_ERROR "make_distribution: ${warnings}")
endif()
execute_process(
  COMMAND "${SETUPRES}" patch "${DIST_DIR}/setup" "${stream}"
  RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "make_distribution: ${errors}")
endif()

# The size and checksum of every file as it ships, for setup to check before it
# installs a file or loads a library.
execute_process(
  COMMAND "${SETUPRES}" sums "${DIST_DIR}"
  RESULT_VARIABLE result ERROR_VARIABLE errors)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "make_distribution: ${errors}")
endif()

get_filename_component(folder "${DIST_DIR}" NAME)
execute_process(
  COMMAND "${CMAKE_COMMAND}" -E tar czf "${ARCHIVE}" -- "${folder}"
  WORKING_DIRECTORY "${work_dir}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "make_distribution: packing ${ARCHIVE} failed")
endif()
