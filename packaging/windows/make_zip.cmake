# Packs the Windows zip (see CMakeLists.txt here for the variables). The programs are stripped
# and must import system DLLs only; the read-me gets CR LF line ends, as Windows editors expect.
foreach(required ZIP STAGE AUDIT DATABASE README CHECK_IMPORTS)
  if(NOT ${required})
    message(FATAL_ERROR "make_zip.cmake: ${required} is not set")
  endif()
endforeach()
if(NOT CONTROLLER OR NOT EXISTS "${CONTROLLER}")
  message(FATAL_ERROR "make_zip.cmake: controller.dll not found (\"${CONTROLLER}\"); build the native "
                      "target controller_dll and set TAVRIX_WINDOWS_CONTROLLER_DLL")
endif()

file(REMOVE_RECURSE "${STAGE}")
file(MAKE_DIRECTORY "${STAGE}")
set(programs)
if(FRONT_END AND EXISTS "${FRONT_END}")
  file(COPY_FILE "${FRONT_END}" "${STAGE}/tavrix.exe")
  list(APPEND programs tavrix.exe)
else()
  message(WARNING "make_zip.cmake: this build has no Windows front end (tavrix.exe); "
                  "the zip holds the audit, the plug-in, the database and the read-me only")
endif()
file(COPY_FILE "${AUDIT}" "${STAGE}/tavrix-audit.exe")
# The emulator loads the keyboard plug-in under this name.
file(COPY_FILE "${CONTROLLER}" "${STAGE}/controller.orv")
list(APPEND programs tavrix-audit.exe controller.orv)
file(COPY_FILE "${DATABASE}" "${STAGE}/tavrix.ini")

# Notepad and the console show the read-me in about 80 columns: no line is longer than 76.
file(STRINGS "${README}" readme_lines)
foreach(line IN LISTS readme_lines)
  string(LENGTH "${line}" length)
  if(length GREATER 76)
    message(FATAL_ERROR "make_zip.cmake: a line of ${README} is ${length} characters long: ${line}")
  endif()
endforeach()
file(READ "${README}" readme)
string(REPLACE "\r\n" "\n" readme "${readme}")
string(REPLACE "\n" "\r\n" readme "${readme}")
file(WRITE "${STAGE}/README.txt" "${readme}")

# The zip ships the programs without their debugging information.
if(STRIP)
  foreach(program IN LISTS programs)
    execute_process(COMMAND "${STRIP}" --strip-unneeded "${STAGE}/${program}" RESULT_VARIABLE stripped)
    if(NOT stripped EQUAL 0)
      message(FATAL_ERROR "make_zip.cmake: ${STRIP} failed on ${program}")
    endif()
  endforeach()
endif()

set(check_environment)
if(OBJDUMP)
  set(check_environment ${CMAKE_COMMAND} -E env OBJDUMP=${OBJDUMP})
endif()
execute_process(COMMAND ${check_environment} bash "${CHECK_IMPORTS}" ${programs}
  WORKING_DIRECTORY "${STAGE}" RESULT_VARIABLE imports_ok)
if(NOT imports_ok EQUAL 0)
  message(FATAL_ERROR "make_zip.cmake: a program needs DLLs that Windows does not have")
endif()

file(REMOVE "${ZIP}")
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf "${ZIP}" --format=zip ${programs} tavrix.ini README.txt
  WORKING_DIRECTORY "${STAGE}" RESULT_VARIABLE packed)
if(NOT packed EQUAL 0)
  message(FATAL_ERROR "make_zip.cmake: packing ${ZIP} failed")
endif()
message(STATUS "Windows zip: ${ZIP}")
