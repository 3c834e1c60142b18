# Checks that every C++ source of the tree longer than 400 lines opens with an index of its
# sections: a line "// Sections:" in the comment at its top, followed by the sections and what
# each holds (counter/FileScanner.cpp shows the form). A reader of a long file finds a rule
# from its top in one step.
#   cmake -DSOURCE_DIR=<tree> -P SectionIndex.cmake
set(longest 400)
set(folders app bench charts common core counter examples kit liquid tests)
set(unindexed "")
set(checked 0)
foreach(folder IN LISTS folders)
  file(GLOB_RECURSE sources LIST_DIRECTORIES false "${SOURCE_DIR}/${folder}/*.cpp" "${SOURCE_DIR}/${folder}/*.h"
       "${SOURCE_DIR}/${folder}/*.ipp")
  foreach(source IN LISTS sources)
    file(READ "${source}" text)
    string(REGEX MATCHALL "\n" ends "${text}")
    list(LENGTH ends lines)
    if(lines LESS_EQUAL longest)
      continue()
    endif()
    math(EXPR checked "${checked} + 1")
    # The comment at the top: the lines before the first that is neither a comment, blank,
    # nor "#pragma once".
    string(REGEX MATCH "^(\n|#pragma once\n|//[^\n]*\n)+" top "\n${text}")
    if(NOT top MATCHES "\n// Sections:\n//   [^\n]*[^ \n]")
      file(RELATIVE_PATH name "${SOURCE_DIR}" "${source}")
      list(APPEND unindexed "${name} (${lines} lines)")
    endif()
  endforeach()
endforeach()
if(unindexed)
  list(JOIN unindexed "\n  " named)
  message(FATAL_ERROR "Files over ${longest} lines without an index of their sections at their top:\n  ${named}")
endif()
message(STATUS "${checked} files over ${longest} lines, each with an index of its sections")
