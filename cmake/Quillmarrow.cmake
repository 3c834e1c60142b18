# Shared build settings and helpers for the project's targets.

function(qm_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-missing-field-initializers)
  if(QM_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

if(QM_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# Fuzzing: every library is instrumented for libFuzzer's coverage and checked by the
# sanitizers; only the fuzz targets link libFuzzer itself (tests/fuzz).
if(QM_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "QM_FUZZ needs clang with libFuzzer: configure with CXX=clang++")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# qm_library(<name> [SUBFOLDERS <folders...>] DEPS <targets...>)
# A static library from every .cpp file of the calling folder and of the
# sub-folders SUBFOLDERS names. Headers are included as "<folder>/<File>.h"
# (or "<folder>/<sub-folder>/<File>.h") from the repository root (installed,
# from include/quillmarrow).
function(qm_library name)
  cmake_parse_arguments(QM "" "" "SUBFOLDERS;DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  foreach(folder IN LISTS QM_SUBFOLDERS)
    file(GLOB folder_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
    file(GLOB folder_headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.h)
    list(APPEND sources ${folder_sources})
    list(APPEND headers ${folder_headers})
  endforeach()
  if(sources)
    add_library(${name} STATIC ${sources} ${headers})
    target_include_directories(${name} PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>)
    target_link_libraries(${name} PUBLIC ${QM_DEPS})
    qm_warnings(${name})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>)
    target_link_libraries(${name} INTERFACE ${QM_DEPS})
  endif()
endfunction()

# qm_test(<name> DEPS <targets...> [SHARDS <suffix> <gtest filter> ...])
# One GoogleTest executable from every .cpp file of the calling test folder,
# registered as one CTest test; each SHARDS pair registers the tests its
# filter selects as a test <name>_<suffix> of their own, which CTest runs
# beside the others, and leaves them out of <name>. Tests run on Qt's
# offscreen platform.
function(qm_test name)
  cmake_parse_arguments(QM "" "" "DEPS;SHARDS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${QM_TEST_BIN_DIR})
  target_link_libraries(${name} PRIVATE ${QM_DEPS} GTest::gtest GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    QM_BUNDLE_DIR="${QM_BUNDLE_DIR}"
    QM_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    QM_TEST_BIN_DIR="${QM_TEST_BIN_DIR}")
  qm_warnings(${name})
  set(rest "")
  set(shards "")
  set(filters "")
  while(QM_SHARDS)
    list(POP_FRONT QM_SHARDS suffix filter)
    list(APPEND shards ${name}_${suffix})
    list(APPEND filters ${filter})
    string(APPEND rest "${filter}:")
  endwhile()
  if(rest)
    add_test(NAME ${name} COMMAND ${name} --gtest_filter=-${rest})
  else()
    add_test(NAME ${name} COMMAND ${name})
  endif()
  foreach(shard filter IN ZIP_LISTS shards filters)
    add_test(NAME ${shard} COMMAND ${name} --gtest_filter=${filter})
  endforeach()
  set(tests ${name} ${shards})
  set_tests_properties(${tests} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;ASAN_OPTIONS=detect_leaks=1"
    TIMEOUT 600)
endfunction()
