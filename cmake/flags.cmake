# How every target of the project is compiled and linked: aeonmark_flags,
# an interface target that each of them links, carries the warnings, the
# hardening and the sanitizers, so that no list of flags is written twice.
add_library(aeonmark_flags INTERFACE)

# 64-bit time_t on 32-bit glibc targets too, so the clock reads past 2038
# (glibc takes 64-bit time only with 64-bit file offsets).
target_compile_definitions(aeonmark_flags INTERFACE _TIME_BITS=64 _FILE_OFFSET_BITS=64)

option(AEONMARK_WERROR "Treat warnings as errors" ON)
target_compile_options(aeonmark_flags INTERFACE -Wall -Wextra -Wpedantic -Wconversion
  -Wsign-conversion -Wshadow $<$<BOOL:${AEONMARK_WERROR}>:-Werror>)

# Debian's usual hardening, for every target, so that the start-up
# yardstick in bench/ is built like the program. Fortify needs optimisation
# (glibc warns without it) and does not mix well with the sanitizers: the
# sanitizer and fuzz presets turn hardening off.
option(AEONMARK_HARDENING "Fortify, stack protector, full RELRO, PIE" ON)
if(AEONMARK_HARDENING)
  target_compile_definitions(aeonmark_flags INTERFACE
    $<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:_FORTIFY_SOURCE=2>)
  target_compile_options(aeonmark_flags INTERFACE -fstack-protector-strong)
  target_link_options(aeonmark_flags INTERFACE LINKER:-z,relro,-z,now)
  include(CheckPIESupported)
  check_pie_supported()
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
endif()

# The sanitizers of a preset, as -fsanitize takes them. A sanitizer's
# runtime is the program's: a sanitized shared library leaves its calls
# undefined. clang's check of calls through function pointers needs the C++
# runtime in every program, and a C program built on the library has none.
set(AEONMARK_SANITIZE "" CACHE STRING "Sanitizers to build every target with, as -fsanitize= takes them (address,undefined); empty for none")
# AEONMARK_SANITIZER_LINK is what a program built on a sanitized library
# links with (the install test's example).
set(AEONMARK_SANITIZER_LINK "")
if(AEONMARK_SANITIZE)
  set(AEONMARK_SANITIZER_LINK -fsanitize=${AEONMARK_SANITIZE})
  target_compile_options(aeonmark_flags INTERFACE ${AEONMARK_SANITIZER_LINK}
    -fno-sanitize-recover=all -fno-omit-frame-pointer
    $<$<CXX_COMPILER_ID:Clang>:-fno-sanitize=function>)
  target_link_options(aeonmark_flags INTERFACE ${AEONMARK_SANITIZER_LINK})
endif()

# Optimised builds optimise across files too: the claim of a date, its
# reader and its output line are then one stretch of code.
include(CheckIPOSupported)
check_ipo_supported(RESULT AEONMARK_IPO LANGUAGES CXX)
set(CMAKE_INTERPROCEDURAL_OPTIMIZATION_RELEASE ${AEONMARK_IPO})

# The core and the command line: C++ with neither exceptions nor run-time
# type information, which nothing there throws or asks for.
function(aeonmark_core_code target)
  target_link_libraries(${target} PRIVATE aeonmark_flags)
  target_compile_options(${target} PRIVATE -fno-exceptions -fno-rtti)
endfunction()
