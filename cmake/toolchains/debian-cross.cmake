# A build for another Debian architecture on this machine, by Debian's cross
# compilers, its programs run under qemu's user-mode emulation (qemu-user).
# The architecture's toolchain file names its processor, the first word of
# its GNU triple and of its qemu's name.
set(CMAKE_SYSTEM_NAME Linux)
set(aeonmark_triple ${CMAKE_SYSTEM_PROCESSOR}-linux-gnu)

# The compilers installed (g++-<triple>) or unpacked elsewhere, as .ci/run
# does where gcc-multilib forbids installing them: the first on PATH, or
# those the build was configured with.
if(NOT CMAKE_C_COMPILER)
  find_program(CMAKE_C_COMPILER ${aeonmark_triple}-gcc REQUIRED)
endif()
cmake_path(GET CMAKE_C_COMPILER PARENT_PATH aeonmark_cross_bin)
set(CMAKE_CXX_COMPILER ${aeonmark_cross_bin}/${aeonmark_triple}-g++)

# The target's headers and libraries lie where the compilers look for them,
# beside their own prefix: /usr/<triple> for /usr/bin/<triple>-gcc. Found
# there alone; programs (python3, pkg-config) are this machine's.
file(REAL_PATH ${CMAKE_C_COMPILER} aeonmark_cross_gcc)
cmake_path(GET aeonmark_cross_gcc PARENT_PATH aeonmark_cross_prefix)
cmake_path(GET aeonmark_cross_prefix PARENT_PATH aeonmark_cross_prefix)
set(CMAKE_FIND_ROOT_PATH ${aeonmark_cross_prefix}/${aeonmark_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every program built here runs through it: try_run, test discovery, ctest,
# and the tests that start the program themselves. qemu finds the target's
# dynamic loader and libraries in that same folder.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/bin/qemu-${CMAKE_SYSTEM_PROCESSOR} -L ${CMAKE_FIND_ROOT_PATH})
