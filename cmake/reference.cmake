# The reference the faces are compared with (tests/reference.py): made once
# per test run, from the program under test, by the fixture test
# aeonmark_reference, into AEONMARK_REFERENCE. A face's comparison requires
# the fixture and reads the file; none runs the program itself.
set(AEONMARK_REFERENCE ${CMAKE_BINARY_DIR}/reference.jsonl)
function(aeonmark_reference program) # the program under test
  get_property(made GLOBAL PROPERTY aeonmark_reference_made)
  if(made)
    return()
  endif()
  set_property(GLOBAL PROPERTY aeonmark_reference_made ON)
  add_test(NAME aeonmark_reference
    COMMAND /usr/bin/python3 ${PROJECT_SOURCE_DIR}/tests/reference.py ${program} ${AEONMARK_REFERENCE})
  set_tests_properties(aeonmark_reference PROPERTIES FIXTURES_SETUP aeonmark_reference)
endfunction()
