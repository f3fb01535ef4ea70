# The build's check of a translation (GenerateStrings.cmake with REFERENCE): a faithful copy of
# res/strings.tsv builds; a copy that lacks a string, or whose text loses or changes a place, is
# refused with the string named.
# Usage: cmake -DSOURCE_DIR=<repository> -DWORK_DIR=<scratch folder> -P TranslationCheck.cmake
set(english ${SOURCE_DIR}/res/strings.tsv)
set(script ${SOURCE_DIR}/src/core/res/GenerateStrings.cmake)
file(READ ${english} table)

# Runs the generator on `text` as a translation; `expected` is a regular expression its error
# output must match, or empty when the translation must be accepted.
function(check name text expected)
  set(file ${WORK_DIR}/${name}.tsv)
  file(WRITE ${file} "${text}")
  execute_process(COMMAND ${CMAKE_COMMAND} -DINPUT=${file} -DREFERENCE=${english}
                          -DOUTPUT=${WORK_DIR}/${name}.cpp -P ${script}
                  RESULT_VARIABLE result ERROR_VARIABLE errors)
  if(expected STREQUAL "" AND NOT result EQUAL 0)
    message(FATAL_ERROR "${name}: refused\n${errors}")
  elseif(NOT expected STREQUAL "" AND (result EQUAL 0 OR NOT errors MATCHES "${expected}"))
    message(FATAL_ERROR "${name}: not refused as expected (${expected})\n${errors}")
  endif()
endfunction()

check(faithful "${table}" "")
string(REGEX REPLACE "\n43209\t[^\n]*" "" dropped "${table}")
check(dropped "${dropped}" "only: 43209:%1,")
string(REPLACE "\n43209\tCalled %1" "\n43209\tCalled" lost "${table}")
check(lost_place "${lost}" "only: 43209:%1,")
string(REPLACE "\n41216\tWaiting for %i seconds..." "\n41216\tWaiting for %s seconds..." changed "${table}")
check(changed_conversion "${changed}" "only: 41216:,%i")
