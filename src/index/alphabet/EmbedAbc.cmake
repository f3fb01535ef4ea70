# Turns the alphabet definitions res/abc/<id>-<name>.txt into a C++ source holding them as
# resources of type "ABC", by number, byte for byte (UTF-16LE with the byte-order mark).
# Usage: cmake -DINPUT_DIR=res/abc -DOUTPUT=AbcData.cpp -P EmbedAbc.cmake

file(GLOB files "${INPUT_DIR}/*.txt")
list(SORT files)
set(arrays "")
set(entries "")
foreach(file IN LISTS files)
  get_filename_component(name "${file}" NAME)
  if(NOT name MATCHES "^([0-9]+)-")
    message(FATAL_ERROR "${file}: the name must start with the resource number and a dash")
  endif()
  set(id "${CMAKE_MATCH_1}")
  file(READ "${file}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND arrays "const uint8_t kAbc${id}[] = {${bytes}};\n")
  string(APPEND entries "    {${id}, kAbc${id}, sizeof kAbc${id}},\n")
endforeach()

set(source "// Generated from res/abc/*.txt at build time. Do not edit.
#include \"index/alphabet/AbcResources.h\"

namespace {
${arrays}
const AbcResourceEntry kEntries[] = {
${entries}};
}  // namespace

std::span<const AbcResourceEntry> AbcResourceEntries() { return kEntries; }
")
# Replace the output only when it changed, so an unchanged set does not rebuild the library.
file(WRITE "${OUTPUT}.new" "${source}")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
