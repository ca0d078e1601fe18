# Writes aeonmark.pc at install time, when the prefix is known, from
# AEONMARK_LIBDIR and AEONMARK_INCLUDEDIR: each relative to the prefix, as
# ${prefix}/..., or absolute, as it stands (GNUInstallDirs allows both).
# The file is 0644 whatever the template's mode, which a release tarball
# may make 0664.
set(AEONMARK_PC_PREFIX "${CMAKE_INSTALL_PREFIX}")
foreach(folder LIBDIR INCLUDEDIR)
  if(IS_ABSOLUTE "${AEONMARK_${folder}}")
    set(AEONMARK_PC_${folder} "${AEONMARK_${folder}}")
    set(full_${folder} "${AEONMARK_${folder}}")
  else()
    set(AEONMARK_PC_${folder} "\${prefix}/${AEONMARK_${folder}}")
    set(full_${folder} "${CMAKE_INSTALL_PREFIX}/${AEONMARK_${folder}}")
  endif()
endforeach()
set(pc "$ENV{DESTDIR}${full_LIBDIR}/pkgconfig/aeonmark.pc")
message(STATUS "Installing: ${pc}")
configure_file("${CMAKE_CURRENT_LIST_DIR}/aeonmark.pc.in" "${pc}" @ONLY NO_SOURCE_PERMISSIONS)
