# Installs the build into a fresh prefix, runs the installed program, and
# builds the README's C example on the installed library twice, through
# pkg-config and through find_package, each printing what the README says;
# then a program on every call of 1.1, which must agree with the program.
# Called as: cmake -DBUILD_DIR=... -DPREFIX=... -DSOURCE_DIR=... -DLIBDIR=...
#   -DCC=... -DNM=... [-DCFLAGS=...] [-DLDFLAGS=...] [-DEMULATOR=...] -P install_test.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()
foreach(installed bin/aeonmark share/man/man1/aeonmark.1.gz share/doc/aeonmark/copyright
                  share/doc/aeonmark/changelog.gz include/aeonmark.h ${LIBDIR}/libaeonmark.so.1
                  ${LIBDIR}/libaeonmark.a ${LIBDIR}/pkgconfig/aeonmark.pc
                  ${LIBDIR}/cmake/aeonmark/aeonmarkConfig.cmake share/man/man3/aeonmark.3.gz)
  if(NOT EXISTS "${PREFIX}/${installed}")
    message(FATAL_ERROR "not installed: ${installed}")
  endif()
endforeach()

# The static library defines the aeonmark_* calls and no other global name.
execute_process(COMMAND "${NM}" -g --defined-only "${PREFIX}/${LIBDIR}/libaeonmark.a"
                OUTPUT_VARIABLE symbols RESULT_VARIABLE status)
string(REGEX MATCHALL " [A-Za-z] [^\n]+" symbols "${symbols}")
list(FILTER symbols EXCLUDE REGEX "^ . aeonmark_[a-z_]+$")
if(NOT status EQUAL 0 OR symbols)
  message(FATAL_ERROR "libaeonmark.a defines more than the aeonmark_* calls:${symbols}")
endif()

# Through the emulator when the tests need one, under the program's own
# name: its command's words, joined by spaces.
separate_arguments(emulator UNIX_COMMAND "${EMULATOR}")
function(run_installed program) # the arguments follow; sets out
  if(emulator)
    set(program ${emulator} -0 "${program}" "${program}")
  endif()
  execute_process(COMMAND ${program} ${ARGN}
                  OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR NOT errors STREQUAL "")
    message(FATAL_ERROR "${program}: status ${status}, errors '${errors}'")
  endif()
  set(out "${output}" PARENT_SCOPE)
endfunction()
run_installed("${PREFIX}/bin/aeonmark" -ux U-16)
if(NOT out STREQUAL "U-16 U-0x10\n")
  message(FATAL_ERROR "installed program: output '${out}'")
endif()

# The README's example and what it prints, its first c and text blocks
# after "## Use it from C".
file(READ "${SOURCE_DIR}/README.md" readme)
string(FIND "${readme}" "\n## Use it from C\n" at)
string(SUBSTRING "${readme}" ${at} -1 readme)
if(at EQUAL -1 OR NOT readme MATCHES "\n```c\n([^`]*)\n```\n[^`]*\n```text\n([^`]*\n)```")
  message(FATAL_ERROR "README.md: no C example and output under 'Use it from C'")
endif()
set(expected "${CMAKE_MATCH_2}")
set(client "${PREFIX}-client")
file(REMOVE_RECURSE "${client}")
file(WRITE "${client}/example.c" "${CMAKE_MATCH_1}\n")
separate_arguments(cflags UNIX_COMMAND "${CFLAGS}")
separate_arguments(ldflags UNIX_COMMAND "${LDFLAGS}")

# The example built (status 0) prints what the README says it prints.
function(expect_example program how)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "the example does not build ${how}")
  endif()
  run_installed("${program}")
  if(NOT out STREQUAL expected)
    message(FATAL_ERROR "built ${how}, the example printed '${out}', not '${expected}'")
  endif()
endfunction()

set(ENV{PKG_CONFIG_PATH} "${PREFIX}/${LIBDIR}/pkgconfig")
execute_process(COMMAND pkg-config --cflags --libs aeonmark
                OUTPUT_VARIABLE pkg_flags OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "pkg-config does not know aeonmark")
endif()
separate_arguments(pkg_flags UNIX_COMMAND "${pkg_flags}")
execute_process(COMMAND "${CC}" -std=c99 -Wall -Wextra -pedantic -Werror ${cflags}
                        "${client}/example.c" ${pkg_flags} -Wl,-rpath,${PREFIX}/${LIBDIR}
                        ${ldflags} -o "${client}/example"
                RESULT_VARIABLE status)
expect_example("${client}/example" "with pkg-config's flags")

execute_process(COMMAND "${CMAKE_COMMAND}" -S "${SOURCE_DIR}/tests/find_package"
                        -B "${client}/build" "-DCMAKE_PREFIX_PATH=${PREFIX}"
                        "-DEXAMPLE=${client}/example.c" "-DCMAKE_C_COMPILER=${CC}"
                        "-DCMAKE_C_FLAGS=${CFLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${LDFLAGS}"
                RESULT_VARIABLE status OUTPUT_QUIET)
if(status EQUAL 0)
  execute_process(COMMAND "${CMAKE_COMMAND}" --build "${client}/build"
                  RESULT_VARIABLE status OUTPUT_QUIET)
endif()
expect_example("${client}/build/example" "through find_package(aeonmark)")
# A C99 program using every call that 1.1 adds agrees with the program on
# every text of tests/texts.py, which it reads from one buffer, built
# through pkg-config on the shared library and again on the static one.
execute_process(COMMAND /usr/bin/python3 "${SOURCE_DIR}/tests/texts.py"
                OUTPUT_FILE "${client}/texts" RESULT_VARIABLE status)
set(program "${PREFIX}/bin/aeonmark")
if(emulator)
  set(program ${emulator} "${program}")
endif()
# One file holds both streams: the program hands its lines over before each
# message, so they stand in argument order.
execute_process(COMMAND xargs -d "\n" -a "${client}/texts" ${program} -s6jgqux
                OUTPUT_FILE "${client}/said" ERROR_FILE "${client}/said")
foreach(library shared static)
  if(library STREQUAL shared)
    set(link ${pkg_flags} -Wl,-rpath,${PREFIX}/${LIBDIR})
  else()
    set(link "-I${PREFIX}/include" "${PREFIX}/${LIBDIR}/libaeonmark.a")
  endif()
  execute_process(COMMAND "${CC}" -std=c99 -Wall -Wextra -pedantic -Werror ${cflags}
                          "${SOURCE_DIR}/tests/installed_client.c" ${link} ${ldflags}
                          -o "${client}/client_${library}"
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "tests/installed_client.c does not build on the ${library} library")
  endif()
  run_installed("${client}/client_${library}" "${client}/texts" "${client}/said")
  if(NOT out STREQUAL "100000 texts, 0 differ\n")
    message(FATAL_ERROR "on the ${library} library, installed_client: ${out}")
  endif()
endforeach()
file(REMOVE_RECURSE "${PREFIX}" "${client}")
