# Turns res/strings.tsv into a C++ source holding the program's own string table.
# Usage: cmake -DINPUT=strings.tsv -DOUTPUT=OwnStrings.cpp -P GenerateStrings.cmake
#
# Each line is a decimal number, a tab and the text; the escapes \t, \n and \\ stand for a tab, a
# line break and a backslash, and match the C++ escapes they become. Lines starting with "#" and
# empty lines are skipped. Numbers must rise strictly from line to line.

file(READ "${INPUT}" content)
# Keep list separators and brackets out of CMake's list handling.
string(ASCII 1 semicolon)
string(ASCII 2 open_bracket)
string(ASCII 3 close_bracket)
string(REPLACE ";" "${semicolon}" content "${content}")
string(REPLACE "[" "${open_bracket}" content "${content}")
string(REPLACE "]" "${close_bracket}" content "${content}")
string(REPLACE "\r" "" content "${content}")
string(REPLACE "\n" ";" lines "${content}")

set(body "")
set(previous -1)
set(number 0)
foreach(line IN LISTS lines)
  math(EXPR number "${number} + 1")
  if(line STREQUAL "" OR line MATCHES "^#")
    continue()
  endif()
  if(NOT line MATCHES "^([0-9]+)\t(.*)$")
    message(FATAL_ERROR "${INPUT}:${number}: expected a number, a tab and the text")
  endif()
  set(id "${CMAKE_MATCH_1}")
  set(text "${CMAKE_MATCH_2}")
  if(id LESS_EQUAL previous)
    message(FATAL_ERROR "${INPUT}:${number}: string ${id} is out of order or repeated (after ${previous})")
  endif()
  string(REGEX REPLACE "\\\\[\\\\tn]" "" bare "${text}")
  if(bare MATCHES "\\\\")
    message(FATAL_ERROR "${INPUT}:${number}: only \\t, \\n and \\\\ may follow a backslash")
  endif()
  if(text MATCHES "\t")
    message(FATAL_ERROR "${INPUT}:${number}: a tab in the text must be written \\t")
  endif()
  string(REPLACE "\"" "\\\"" text "${text}")
  string(REPLACE "${semicolon}" ";" text "${text}")
  string(REPLACE "${open_bracket}" "[" text "${text}")
  string(REPLACE "${close_bracket}" "]" text "${text}")
  string(APPEND body "    {${id}, u\"${text}\"},\n")
  set(previous "${id}")
endforeach()

set(source "// Generated from res/strings.tsv at build time. Do not edit.
#include <iterator>

#include \"core/res/StringTable.h\"

namespace {
const StringTable::Entry kEntries[] = {
${body}};
}  // namespace

const StringTable& StringTable::Own() {
    static const StringTable table({std::begin(kEntries), std::end(kEntries)}, kOwnModuleHandle);
    return table;
}
")
# Rewrite only on change, so that an unchanged table does not rebuild the library.
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
  if(old STREQUAL source)
    return()
  endif()
endif()
file(WRITE "${OUTPUT}" "${source}")
