# Joins the script files PARTS (separated by commas) into OUTPUT, in order,
# as FORM: "module", an ES module, as they are; "commonjs", in strict mode
# as an ES module is; "script", inside an async function called at once, as
# a classic script, which is what a page opened from disk may load, has no
# top-level await.
string(REPLACE "," ";" parts "${PARTS}")
set(text "")
foreach(part IN LISTS parts)
  file(READ "${part}" content)
  string(APPEND text "${content}\n")
endforeach()
if(FORM STREQUAL "script")
  set(text "(async () => {\n'use strict';\n${text}})();\n")
elseif(FORM STREQUAL "commonjs")
  set(text "'use strict';\n${text}")
elseif(NOT FORM STREQUAL "module")
  message(FATAL_ERROR "no such form: ${FORM}")
endif()
file(WRITE "${OUTPUT}" "${text}")
