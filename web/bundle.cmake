# Joins the script files PARTS (separated by commas) into OUTPUT, in order.
# With WRAP on, inside an async function called at once: a classic script,
# which is what a page opened from disk may load, has no top-level await.
string(REPLACE "," ";" parts "${PARTS}")
# The WebAssembly is embedded in the core's script: without fetch its loader
# decodes it there rather than asking for it, so nothing is requested.
set(text "const fetch = undefined;\n")
foreach(part IN LISTS parts)
  file(READ "${part}" content)
  string(APPEND text "${content}\n")
endforeach()
if(WRAP)
  set(text "(async () => {\n'use strict';\n${text}})();\n")
endif()
file(WRITE "${OUTPUT}" "${text}")
