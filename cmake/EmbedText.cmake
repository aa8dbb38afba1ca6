# Turns text files into a C++ source that defines one function returning them, in the given order,
# so the program carries what it needs (the database schema) without looking for files at run time.
function(embed_text_files target function_name)
  set(output "${CMAKE_CURRENT_BINARY_DIR}/${target}.cpp")
  set(script "${CMAKE_CURRENT_BINARY_DIR}/${target}.cmake")
  file(WRITE "${script}" "set(FILES \"${ARGN}\")\nset(FUNCTION_NAME ${function_name})\nset(OUTPUT \"${output}\")\n")
  file(APPEND "${script}" [=[
set(body "// Generated from the files listed in CMake; do not edit.\n#include <string_view>\n#include <utility>\n#include <vector>\n\n")
string(APPEND body "std::vector<std::pair<std::string_view, std::string_view>> ${FUNCTION_NAME}()\n{\n    return {\n")
foreach(file IN LISTS FILES)
  file(READ "${file}" text)
  get_filename_component(name "${file}" NAME)
  string(APPEND body "        {\"${name}\", R\"migra_embedded(${text})migra_embedded\"},\n")
endforeach()
string(APPEND body "    };\n}\n")
file(WRITE "${OUTPUT}.tmp" "${body}")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
]=])
  add_custom_command(
    OUTPUT "${output}"
    COMMAND ${CMAKE_COMMAND} -P "${script}"
    DEPENDS ${ARGN} "${script}"
    VERBATIM)
  add_library(${target} STATIC "${output}")
endfunction()
