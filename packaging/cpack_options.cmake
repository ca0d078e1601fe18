# Read by cpack for each generator. Without dpkg-shlibdeps the DEB generator
# quietly leaves out the C library dependency: refuse instead.
if(CPACK_GENERATOR STREQUAL "DEB" AND CPACK_DEBIAN_PACKAGE_SHLIBDEPS)
  find_program(AEONMARK_SHLIBDEPS dpkg-shlibdeps)
  if(NOT AEONMARK_SHLIBDEPS)
    message(FATAL_ERROR "dpkg-shlibdeps (Debian package dpkg-dev) is needed to work out the package's dependencies")
  endif()
endif()
