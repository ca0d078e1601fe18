# Builds the library from a copy of the sources whose files are 0664, as a
# release tarball made by git archive holds them, with its library and
# header folders given as absolute paths, as GNUInstallDirs allows; installs
# every component but the SQL modules (which go to their servers' folders),
# and checks that pkg-config's flags build a program on it and that every
# installed file is 0644 or 0755.
# Called as: cmake -DSOURCE_DIR=... -DWORK=... -DCC=... -DCXX=... -P install_tarball_test.cmake
file(REMOVE_RECURSE "${WORK}")
file(COPY "${SOURCE_DIR}/" DESTINATION "${WORK}/source"
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ GROUP_WRITE WORLD_READ
  DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_WRITE
                        GROUP_EXECUTE WORLD_READ WORLD_EXECUTE
  PATTERN .git EXCLUDE PATTERN build EXCLUDE PATTERN out EXCLUDE PATTERN node_modules EXCLUDE)
set(elsewhere "${WORK}/elsewhere")
function(step) # the command follows
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN}: ${status}\n${out}")
  endif()
endfunction()
step("${CMAKE_COMMAND}" -S "${WORK}/source" -B "${WORK}/build" -DCMAKE_BUILD_TYPE=Debug
     -DAEONMARK_SQL=OFF "-DCMAKE_C_COMPILER=${CC}" "-DCMAKE_CXX_COMPILER=${CXX}"
     "-DCMAKE_INSTALL_PREFIX=${WORK}/prefix" "-DCMAKE_INSTALL_LIBDIR=${elsewhere}/lib64"
     "-DCMAKE_INSTALL_INCLUDEDIR=${elsewhere}/include")
step("${CMAKE_COMMAND}" --build "${WORK}/build" --parallel 2)
step("${CMAKE_COMMAND}" --install "${WORK}/build")

set(ENV{PKG_CONFIG_PATH} "${elsewhere}/lib64/pkgconfig")
execute_process(COMMAND pkg-config --cflags --libs aeonmark OUTPUT_VARIABLE flags
                OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT flags STREQUAL "-I${elsewhere}/include -L${elsewhere}/lib64 -laeonmark")
  message(FATAL_ERROR "pkg-config: ${status} '${flags}'")
endif()
separate_arguments(flags UNIX_COMMAND "${flags}")
file(WRITE "${WORK}/version.c" "#include <aeonmark.h>\nint main(void) { return *aeonmark_version() != '1'; }\n")
step("${CC}" "${WORK}/version.c" ${flags} -Wl,-rpath,${elsewhere}/lib64 -o "${WORK}/version")
step("${WORK}/version")

file(GLOB_RECURSE installed "${elsewhere}/*" "${WORK}/prefix/*")
execute_process(COMMAND stat -c "%a %n" ${installed} OUTPUT_VARIABLE modes)
string(REGEX MATCHALL "(^|\n)[0-7]+ [^\n]+" odd "${modes}")
list(FILTER odd EXCLUDE REGEX "^\n?(644|755|777) ")
if(odd)
  message(FATAL_ERROR "installed with another mode than 0644 or 0755:${odd}")
endif()
file(REMOVE_RECURSE "${WORK}")
