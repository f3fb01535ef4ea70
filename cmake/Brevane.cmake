# Shared build settings: every target of the project takes them through these helpers.

# Warnings are errors where the project builds itself (its presets and CI turn BREVANE_WERROR on);
# whoever builds the sources with other flags or another compiler gets the warnings as warnings.
option(BREVANE_WERROR "Treat compiler warnings as errors" OFF)
set(BREVANE_WARNINGS -Wall -Wextra -Wpedantic)
if(BREVANE_WERROR)
  list(APPEND BREVANE_WARNINGS -Werror)
endif()
list(APPEND BREVANE_WARNINGS -Wno-missing-field-initializers)

function(brevane_target_defaults target)
  target_compile_options(${target} PRIVATE ${BREVANE_WARNINGS})
  if(BREVANE_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
                                             -fno-sanitize-recover=undefined)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# brevane_library(NAME SOURCES... [DEPS ...]): one static library per layer.
function(brevane_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;PRIVATE_DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
  brevane_target_defaults(${name})
endfunction()

# brevane_test(NAME SOURCES... DEPS ...): one GoogleTest executable, its cases registered with CTest
# under the label NAME (ctest -L selects executables), run from the build folder. Each property gets
# one value: the discovered tests' properties are a flat list of names and values.
function(brevane_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest brevane_test_main Threads::Threads)
  brevane_target_defaults(${name})
  # Tests find their data files through the source folder, never through __FILE__ (a compiler
  # cache may shorten that to a relative path).
  target_compile_definitions(${name} PRIVATE BREVANE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
               ENVIRONMENT_MODIFICATION "BREVANE_BUILD_DIR=set:${PROJECT_BINARY_DIR}" LABELS ${name})
endfunction()

# brevane_executable(NAME SOURCES... DEPS ...)
function(brevane_executable name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  brevane_target_defaults(${name})
endfunction()

# brevane_layer(NAME DEPS ...): the static library of one folder of src/, from every .cpp below
# it (each subfolder is one concept; adding a file needs no edit here).
function(brevane_layer name)
  cmake_parse_arguments(ARG "" "" "DEPS;PRIVATE_DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    brevane_library(${name} SOURCES ${sources} DEPS ${ARG_DEPS} PRIVATE_DEPS ${ARG_PRIVATE_DEPS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# brevane_layer_tests(LAYER DEPS ...): one test executable per subfolder of tests/<layer>/
# (test_<layer>_<folder>), so one concept's tests build and run on their own.
function(brevane_layer_tests layer)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB children LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(child ${children})
    if(IS_DIRECTORY ${child})
      get_filename_component(folder ${child} NAME)
      file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${child}/*.cpp)
      # A file named <name>_peer.cpp is a helper program of its own (with its own main), for
      # tests that need a second process; the tests find it through BREVANE_PEER_DIR.
      file(GLOB_RECURSE peers CONFIGURE_DEPENDS ${child}/*_peer.cpp)
      foreach(peer ${peers})
        list(REMOVE_ITEM sources ${peer})
        get_filename_component(peer_name ${peer} NAME_WE)
        add_executable(${peer_name} ${peer})
        target_include_directories(${peer_name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
        target_link_libraries(${peer_name} PRIVATE ${ARG_DEPS} Threads::Threads)
        brevane_target_defaults(${peer_name})
      endforeach()
      if(sources)
        brevane_test(test_${layer}_${folder} SOURCES ${sources} DEPS ${ARG_DEPS})
        target_compile_definitions(test_${layer}_${folder} PRIVATE
          BREVANE_PEER_DIR="${CMAKE_CURRENT_BINARY_DIR}")
        foreach(peer ${peers})
          get_filename_component(peer_name ${peer} NAME_WE)
          add_dependencies(test_${layer}_${folder} ${peer_name})
        endforeach()
      endif()
    endif()
  endforeach()
endfunction()
