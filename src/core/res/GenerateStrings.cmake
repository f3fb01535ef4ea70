# Turns res/strings.tsv into a C++ source holding the program's own string table.
# Usage: cmake -DINPUT=strings.tsv -DOUTPUT=OwnStrings.cpp [-DREFERENCE=res/strings.tsv] -P GenerateStrings.cmake
# (REFERENCE: INPUT is a translation, checked against the English table.)
#
# Each line is a decimal number, a tab and the text; the escapes \t, \n and \\ stand for a tab, a
# line break and a backslash, and match the C++ escapes they become. Lines starting with "#" and
# empty lines are skipped. Numbers must rise strictly from line to line.

# Reads one table: BODY gets its C++ entries, SHAPES one "number:places" item a string, where
# places are the string's %1...%9 (sorted) and its printf conversions (in order).
function(read_table file body_var shapes_var)
  file(READ "${file}" content)
  # Keep list separators and brackets out of CMake's list handling.
  string(REPLACE ";" "${semicolon}" content "${content}")
  string(REPLACE "[" "${open_bracket}" content "${content}")
  string(REPLACE "]" "${close_bracket}" content "${content}")
  string(REPLACE "\r" "" content "${content}")
  string(REPLACE "\n" ";" lines "${content}")
  set(body "")
  set(shapes "")
  set(previous -1)
  set(number 0)
  foreach(line IN LISTS lines)
    math(EXPR number "${number} + 1")
    if(line STREQUAL "" OR line MATCHES "^#")
      continue()
    endif()
    if(NOT line MATCHES "^([0-9]+)\t(.*)$")
      message(FATAL_ERROR "${file}:${number}: expected a number, a tab and the text")
    endif()
    set(id "${CMAKE_MATCH_1}")
    set(text "${CMAKE_MATCH_2}")
    if(id LESS_EQUAL previous)
      message(FATAL_ERROR "${file}:${number}: string ${id} is out of order or repeated (after ${previous})")
    endif()
    string(REGEX REPLACE "\\\\[\\\\tn]" "" bare "${text}")
    if(bare MATCHES "\\\\")
      message(FATAL_ERROR "${file}:${number}: only \\t, \\n and \\\\ may follow a backslash")
    endif()
    if(text MATCHES "\t")
      message(FATAL_ERROR "${file}:${number}: a tab in the text must be written \\t")
    endif()
    string(REGEX MATCHALL "%[1-9]" places "${text}")
    list(SORT places)
    string(REGEX REPLACE "%[1-9]" "" rest "${text}")
    string(REGEX MATCHALL "%[-+ #0-9.*]*[a-zA-Z%]" conversions "${rest}")
    string(REPLACE ";" "," shape "${places};${conversions}")
    list(APPEND shapes "${id}:${shape}")
    string(REPLACE "\"" "\\\"" text "${text}")
    string(REPLACE "${semicolon}" ";" text "${text}")
    string(REPLACE "${open_bracket}" "[" text "${text}")
    string(REPLACE "${close_bracket}" "]" text "${text}")
    string(APPEND body "    {${id}, u\"${text}\"},\n")
    set(previous "${id}")
  endforeach()
  set(${body_var} "${body}" PARENT_SCOPE)
  set(${shapes_var} "${shapes}" PARENT_SCOPE)
endfunction()

string(ASCII 1 semicolon)
string(ASCII 2 open_bracket)
string(ASCII 3 close_bracket)
read_table("${INPUT}" body shapes)

# A translation must hold every string of the English table, no other, and the same places, so
# that no screen finds a string missing and no value goes unshown.
if(REFERENCE)
  read_table("${REFERENCE}" reference_body reference_shapes)
  if(NOT shapes STREQUAL reference_shapes)
    set(missing ${reference_shapes})
    list(REMOVE_ITEM missing ${shapes})
    set(extra ${shapes})
    list(REMOVE_ITEM extra ${reference_shapes})
    message(FATAL_ERROR "${INPUT} does not match ${REFERENCE} (number:places).\n"
                        "  In ${REFERENCE} only: ${missing}\n  In ${INPUT} only: ${extra}")
  endif()
endif()

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
