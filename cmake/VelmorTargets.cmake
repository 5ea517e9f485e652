# Helpers that keep the per-folder CMake files to a line or two. Sources are picked up by glob
# (re-checked at build time), so adding a file to a folder needs no CMake edit.

# velmor_library(NAME FOLDER... [LINKS targets...]): a static library of every .cpp/.h below the
# given folders (relative to src/), excluding the ui/qt sub-folder unless named explicitly.
function(velmor_library name)
  cmake_parse_arguments(ARG "" "" "FOLDERS;EXCLUDE;LINKS" ${ARGN})
  set(sources)
  foreach(folder IN LISTS ARG_FOLDERS)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS
         ${PROJECT_SOURCE_DIR}/src/${folder}/*.cpp ${PROJECT_SOURCE_DIR}/src/${folder}/*.h)
    list(APPEND sources ${found})
  endforeach()
  foreach(pattern IN LISTS ARG_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "${pattern}")
  endforeach()
  list(FILTER sources INCLUDE REGEX "\\.cpp$")
  if(sources)
    add_library(${name} STATIC ${sources})
    set(scope PUBLIC)
  else()
    add_library(${name} INTERFACE)  # a layer with headers only, or not begun yet
    set(scope INTERFACE)
  endif()
  target_include_directories(${name} ${scope} ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} ${scope} ${ARG_LINKS})
endfunction()

# velmor_test(NAME FOLDER LINKS...): one GoogleTest executable of every .cpp below tests/FOLDER.
function(velmor_test name folder)
  cmake_parse_arguments(ARG "" "" "EXCLUDE;LINKS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${folder}/*.cpp
       ${PROJECT_SOURCE_DIR}/tests/${folder}/*.h)
  foreach(pattern IN LISTS ARG_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "${pattern}")
  endforeach()
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_LINKS} GTest::gtest GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  # PRE_TEST: the binary is listed when ctest runs, not at build time (GUI tests need set-up).
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
                       PROPERTIES ENVIRONMENT "VELMOR_TEST_OUTPUT=${CMAKE_BINARY_DIR}/test-output")
endfunction()
