# What is installed, and the three Debian packages made of it, split as
# Debian splits a library: the program, the shared library, and what a
# program that uses it is built with.
include(CMakePackageConfigHelpers)

# The manual pages and the changelog are installed gzipped, as Debian wants:
# -9n leaves out gzip's name and time stamp, so the bytes depend on the text
# alone.
find_program(AEONMARK_GZIP gzip REQUIRED)
function(aeonmark_gzip source copy) # builds ${copy}.gz
  add_custom_command(OUTPUT ${copy}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy}
    COMMAND ${AEONMARK_GZIP} -9nf ${copy}
    DEPENDS ${source} VERBATIM)
endfunction()
set(docs ${PROJECT_BINARY_DIR}/doc)
aeonmark_gzip(${PROJECT_SOURCE_DIR}/man/aeonmark.1 ${docs}/aeonmark.1)
aeonmark_gzip(${PROJECT_SOURCE_DIR}/man/aeonmark.3 ${docs}/aeonmark.3)
aeonmark_gzip(${PROJECT_SOURCE_DIR}/packaging/changelog ${docs}/changelog)
add_custom_target(aeonmark_docs ALL
  DEPENDS ${docs}/aeonmark.1.gz ${docs}/aeonmark.3.gz ${docs}/changelog.gz)

# The package's version is the changelog's latest entry.
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/changelog changelog_top LIMIT_COUNT 1)
if(NOT changelog_top MATCHES "^aeonmark \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/changelog: the latest entry is not version ${PROJECT_VERSION}")
endif()

# Debian's copyright file, machine-readable, with LICENSE's notice and text.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
if(NOT licence MATCHES "\nCopyright \\(c\\) ([^\n]+)\n\n(.*[^\n])\n*$")
  message(FATAL_ERROR "LICENSE: no copyright line followed by the licence text")
endif()
set(AEONMARK_COPYRIGHT "${CMAKE_MATCH_1}")
string(REPLACE "\n\n" "\n.\n" AEONMARK_LICENCE_TEXT " ${CMAKE_MATCH_2}")
string(REPLACE "\n" "\n " AEONMARK_LICENCE_TEXT "${AEONMARK_LICENCE_TEXT}")
configure_file(${PROJECT_SOURCE_DIR}/packaging/copyright.in ${docs}/copyright @ONLY)
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/packaging/changelog)

# Each package carries the copyright and changelog in its own folder.
function(aeonmark_package_docs component package)
  install(FILES ${docs}/changelog.gz ${docs}/copyright
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package} COMPONENT ${component})
endfunction()

# As Debian's own packages are stripped (with CPACK_STRIP_FILES or
# cmake --install --strip): the compiler's notes too, and from the static
# library the link-time optimiser's sections, which only the same compiler
# could read; its real code stays.
function(aeonmark_strip_more file component)
  install(CODE "if(CMAKE_INSTALL_DO_STRIP)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-debug --remove-section=.comment
        --remove-section=.note --enable-deterministic-archives -R .gnu.lto_* -R .gnu.debuglto_*
        -N __gnu_lto_v1 -N __gnu_lto_slim \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${file}\"
        COMMAND_ERROR_IS_FATAL ANY)
    endif()" COMPONENT ${component})
endfunction()

# aeonmark: the program, which holds the library's code itself.
install(TARGETS aeonmark RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT program)
aeonmark_strip_more(${CMAKE_INSTALL_BINDIR}/aeonmark program)
install(FILES ${docs}/aeonmark.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT program)
aeonmark_package_docs(program aeonmark)

# libaeonmark1: the shared library alone.
install(TARGETS aeonmark_shared EXPORT aeonmark
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT library NAMELINK_COMPONENT development)
aeonmark_strip_more(${CMAKE_INSTALL_LIBDIR}/libaeonmark.so.${PROJECT_VERSION} library)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/libaeonmark1/lintian-overrides
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides RENAME libaeonmark1
  COMPONENT library)
aeonmark_package_docs(library libaeonmark1)

# libaeonmark-dev: the header, the static library, the link to the shared
# one, and the ways build systems find them: pkg-config and a CMake package.
install(TARGETS aeonmark_static ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development)
aeonmark_strip_more(${CMAKE_INSTALL_LIBDIR}/libaeonmark.a development)
install(FILES ${PROJECT_SOURCE_DIR}/include/aeonmark.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT development)
install(FILES ${docs}/aeonmark.3.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man3 COMPONENT development)
set(cmake_files ${CMAKE_INSTALL_LIBDIR}/cmake/aeonmark)
install(EXPORT aeonmark NAMESPACE aeonmark:: FILE aeonmarkTargets.cmake
  DESTINATION ${cmake_files} COMPONENT development)
file(WRITE ${PROJECT_BINARY_DIR}/aeonmarkConfig.cmake
  "include(\"\${CMAKE_CURRENT_LIST_DIR}/aeonmarkTargets.cmake\")\n")
write_basic_package_version_file(${PROJECT_BINARY_DIR}/aeonmarkConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/aeonmarkConfig.cmake
  ${PROJECT_BINARY_DIR}/aeonmarkConfigVersion.cmake
  DESTINATION ${cmake_files} COMPONENT development)
# The .pc file names the prefix the tree is installed under, known only
# then (cmake --install --prefix, or the packages' /usr): written by
# install_pc.cmake at install time.
install(CODE "set(AEONMARK_LIBDIR \"${CMAKE_INSTALL_LIBDIR}\")
    set(AEONMARK_INCLUDEDIR \"${CMAKE_INSTALL_INCLUDEDIR}\")
    set(PROJECT_VERSION \"${PROJECT_VERSION}\")
    include(\"${PROJECT_SOURCE_DIR}/packaging/install_pc.cmake\")"
  COMPONENT development)
aeonmark_package_docs(development libaeonmark-dev)

set(CPACK_PACKAGE_VENDOR "aeonmark maintainers")
set(CPACK_PACKAGE_CONTACT "aeonmark maintainers <maintainers@aeonmark.invalid>")
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL program library development)
set(CPACK_DEBIAN_PROGRAM_PACKAGE_NAME aeonmark)
set(CPACK_DEBIAN_PROGRAM_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PROGRAM_DESCRIPTION [[
convert an instant between date notations
aeonmark reads each date on its command line in whichever notation it is
written, turns it into one exact instant, and prints that instant in every
notation its options select. The notations are its own era/count notation,
the proleptic Julian and Gregorian calendars, a 365.2425-day mean-year
calendar, and Unix time in decimal and hexadecimal. With no date it
converts the current time.]])
set(library_description [[
The library reads a date in whichever notation it is written, turns it into
one exact instant, and writes that instant in any notation: the aeonmark
era/count notation, the proleptic Julian and Gregorian calendars, a
365.2425-day mean-year calendar, and Unix time in decimal and hexadecimal.
Every call is exact integer arithmetic, allocates nothing, and may be made
from any number of threads at once.]])
set(CPACK_DEBIAN_LIBRARY_PACKAGE_NAME libaeonmark1)
set(CPACK_DEBIAN_LIBRARY_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_LIBRARY_DESCRIPTION
  "exact conversion of an instant between date notations (library)\n${library_description}\n.\nThis package holds the shared library.")
# ldconfig runs through the trigger; the symbols file versions what
# programs built on the library depend on. cpack adds its own ldconfig
# calls all the same, which the package's lintian overrides explain.
set(library_control ${PROJECT_SOURCE_DIR}/packaging/libaeonmark1)
set(CPACK_DEBIAN_LIBRARY_PACKAGE_CONTROL_EXTRA ${library_control}/symbols
  ${library_control}/shlibs ${library_control}/triggers)
set(CPACK_DEBIAN_LIBRARY_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libaeonmark-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "libaeonmark1 (= ${PROJECT_VERSION})")
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION
  "exact conversion of an instant between date notations (development files)\n${library_description}\n.\nThis package holds the header, the static library, the pkg-config and\nCMake files, and the manual page aeonmark(3).")
# The faces (the Python module, the SQL functions) load libaeonmark1 rather
# than hold a copy of the library, and depend on it as the library's shlibs
# file says: dpkg-shlibdeps finds the library in the build tree, where no
# package tells it the dependency.
file(STRINGS ${library_control}/shlibs library_shlibs LIMIT_COUNT 1)
string(REGEX MATCH "^[^ ]+ [^ ]+ (.+)$" library_dependency "${library_shlibs}")
set(library_dependency "${CMAKE_MATCH_1}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR})

# python3-aeonmark: the Python module, on libaeonmark1 and on a python3 with
# the stable ABI of 3.8.
if(AEONMARK_PYTHON)
  # Its folder is chosen for the prefix given to cmake --install: the
  # interpreter's local site folder under its local prefix (/usr/local),
  # AEONMARK_PYTHON_DIR under any other (python/CMakeLists.txt).
  set(python_dir "${AEONMARK_PYTHON_DIR}")
  if(AEONMARK_PYTHON_LOCAL_DIR)
    install(CODE "get_filename_component(aeonmark_prefix \"\${CMAKE_INSTALL_PREFIX}\" ABSOLUTE)
      if(aeonmark_prefix STREQUAL \"${AEONMARK_PYTHON_LOCAL_PREFIX}\")
        set(aeonmark_python_dir \"${AEONMARK_PYTHON_LOCAL_DIR}\")
      else()
        set(aeonmark_python_dir \"${AEONMARK_PYTHON_DIR}\")
      endif()" COMPONENT python)
    set(python_dir "\${aeonmark_python_dir}") # a relative DESTINATION is written as it is
  endif()
  install(TARGETS aeonmark_python LIBRARY DESTINATION ${python_dir} COMPONENT python)
  # Its types beside it, as the wheel has them: a stub-only package.
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/python/aeonmark-stubs DESTINATION ${python_dir}
    COMPONENT python)
  # Its run path leads to the library under any prefix; where the loader
  # finds the library itself (the prefix /usr, the package) it has none,
  # as Debian wants.
  if(IS_ABSOLUTE "${AEONMARK_PYTHON_DIR}")
    set(python_module "${AEONMARK_PYTHON_DIR}/aeonmark.abi3.so")
  else()
    set(python_module "\${CMAKE_INSTALL_PREFIX}/${python_dir}/aeonmark.abi3.so")
    aeonmark_strip_more(${python_dir}/aeonmark.abi3.so python)
  endif()
  install(CODE "set(aeonmark_library \"${CMAKE_INSTALL_LIBDIR}\")
    cmake_path(ABSOLUTE_PATH aeonmark_library BASE_DIRECTORY \"\${CMAKE_INSTALL_PREFIX}\" NORMALIZE)
    set(aeonmark_loader_dirs \"${CMAKE_C_IMPLICIT_LINK_DIRECTORIES}\")
    list(FIND aeonmark_loader_dirs \"\${aeonmark_library}\" aeonmark_at)
    if(aeonmark_at GREATER -1) # no IN_LIST: install scripts have no policies set
      file(RPATH_REMOVE FILE \"\$ENV{DESTDIR}${python_module}\")
    endif()" COMPONENT python)
  aeonmark_package_docs(python python3-aeonmark)
  list(APPEND CPACK_COMPONENTS_ALL python)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_NAME python3-aeonmark)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_SECTION python)
  set(CPACK_DEBIAN_PYTHON_PACKAGE_DEPENDS "${library_dependency}, python3 (>= 3.8~)")
  set(CPACK_DEBIAN_PYTHON_DESCRIPTION
    "exact conversion of an instant between date notations (Python 3)\n${library_description}\n.\nThis package holds the Python 3 module aeonmark, on the shared library.")
endif()

# The SQL functions, a package for each engine they were built for (sql/).
set(sql_description [[
SQL functions that read a date in whichever notation it is written and
write it in any of the others, exactly: the aeonmark era/count notation, the
proleptic Julian and Gregorian calendars, a 365.2425-day mean-year calendar,
and Unix time in decimal and hexadecimal. aeonmark(text, notations, digits),
aeonmark_try (NULL for a text that does not read), aeonmark_from_unix,
aeonmark_to_unix and the engine's functions for timestamps are
deterministic, so indexes and generated columns may use them.]])
if(TARGET aeonmark_sqlite)
  list(APPEND CPACK_COMPONENTS_ALL sqlite)
  aeonmark_strip_more(${AEONMARK_SQLITE_MODULE} sqlite)
  aeonmark_package_docs(sqlite libsqlite3-mod-aeonmark)
  set(CPACK_DEBIAN_SQLITE_PACKAGE_NAME libsqlite3-mod-aeonmark)
  set(CPACK_DEBIAN_SQLITE_PACKAGE_SECTION database)
  set(CPACK_DEBIAN_SQLITE_PACKAGE_DEPENDS "${library_dependency}")
  set(CPACK_DEBIAN_SQLITE_PACKAGE_ENHANCES "libsqlite3-0")
  set(CPACK_DEBIAN_SQLITE_DESCRIPTION
    "exact conversion of an instant between date notations (SQLite extension)\n${sql_description}\n.\nThis package holds the SQLite loadable extension,\n${CMAKE_INSTALL_PREFIX}/${AEONMARK_SQLITE_MODULE}.")
endif()
if(TARGET aeonmark_postgresql)
  set(pg_package postgresql-${AEONMARK_PG_MAJOR}-aeonmark)
  list(APPEND CPACK_COMPONENTS_ALL postgresql)
  aeonmark_strip_more(${AEONMARK_PG_MODULE} postgresql)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/postgresql/lintian-overrides.in
    ${docs}/${pg_package} @ONLY)
  install(FILES ${docs}/${pg_package} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides
    COMPONENT postgresql)
  aeonmark_package_docs(postgresql ${pg_package})
  set(CPACK_DEBIAN_POSTGRESQL_PACKAGE_NAME ${pg_package})
  set(CPACK_DEBIAN_POSTGRESQL_PACKAGE_SECTION database)
  set(CPACK_DEBIAN_POSTGRESQL_PACKAGE_DEPENDS "${library_dependency}, postgresql-${AEONMARK_PG_MAJOR}")
  set(CPACK_DEBIAN_POSTGRESQL_DESCRIPTION
    "exact conversion of an instant between date notations (PostgreSQL ${AEONMARK_PG_MAJOR})\n${sql_description}\n.\nThis package holds the PostgreSQL extension: CREATE EXTENSION aeonmark.")
endif()
# The C library dependency, versioned, from what the binaries use.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/packaging/cpack_options.cmake)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_GENERATOR DEB)
include(CPack)
