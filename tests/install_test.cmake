# Installs the build into a fresh prefix and runs the installed program.
# Called as: cmake -DBUILD_DIR=... -DPREFIX=... [-DEMULATOR=...] -P install_test.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()
foreach(installed bin/aeonmark share/man/man1/aeonmark.1.gz share/doc/aeonmark/copyright
                  share/doc/aeonmark/changelog.gz)
  if(NOT EXISTS "${PREFIX}/${installed}")
    message(FATAL_ERROR "not installed: ${installed}")
  endif()
endforeach()
# Through the emulator when the tests need one, under the program's own name.
set(program "${PREFIX}/bin/aeonmark")
if(EMULATOR)
  set(program "${EMULATOR}" -0 "${program}" "${program}")
endif()
execute_process(COMMAND ${program} -ux U-16
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT out STREQUAL "U-16 U-0x10\n" OR NOT err STREQUAL "")
  message(FATAL_ERROR "installed program: status ${status}, output '${out}', errors '${err}'")
endif()
file(REMOVE_RECURSE "${PREFIX}")
