# Writes the bundled viewer script into a C++ source as one raw string, so
# mapexport carries the script and needs no file beside it.
#   cmake -DINPUT=<bundle.js> -DOUTPUT=<PageScript.cpp> -P embed.cmake
file(READ "${INPUT}" script)
string(FIND "${script}" ")vell_page\"" clash)
if(NOT clash EQUAL -1)
  message(FATAL_ERROR "${INPUT} holds the raw string's end marker")
endif()
file(WRITE "${OUTPUT}.tmp"
  "// Made by tools/mapexport/page/embed.cmake from ${INPUT}; do not edit.\n"
  "#include \"tools/mapexport/PageScript.h\"\n\n"
  "namespace VellTools {\n\n"
  "const char* pageScript()\n{\n    return R\"vell_page(${script})vell_page\";\n}\n\n"
  "} // namespace VellTools\n")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
