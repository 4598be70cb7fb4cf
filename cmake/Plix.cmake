# Build conventions shared by every target of the project.
#
# A library is one folder: plix_library() compiles every .cpp below the
# folder that calls it, so adding a file needs no edit here. Includes are
# written from the project root ("framework/app/Buffer.h").

add_library(plix_options INTERFACE)
target_compile_options(plix_options INTERFACE
  -Wall -Wextra -Wno-unused-parameter -Wno-missing-field-initializers)
target_include_directories(plix_options INTERFACE ${PROJECT_SOURCE_DIR})
# GCC 12 reports -Wrestrict from inside libstdc++'s own string code (a false
# positive its later releases no longer give).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(plix_options INTERFACE -Wno-restrict)
endif()

if(PLIX_SANITIZE)
  # -O1 keeps the sanitized tests quick; recovery off so UB fails a test.
  # GCC leaves float-to-int overflow out of "undefined": named on its own.
  add_compile_options(-fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all
                      -fno-omit-frame-pointer -O1)
  add_link_options(-fsanitize=address,undefined,float-cast-overflow)
  # The test build keeps the code warning-free: a new warning fails it.
  target_compile_options(plix_options INTERFACE -Werror)
endif()

if(PLIX_FUZZ)
  # Coverage for every library linked into a fuzz target; undefined
  # behaviour stops the campaign as a finding instead of a printed line.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined,float-cast-overflow
                      -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined,float-cast-overflow)
endif()

# plix_library(<name> [DEPENDS <targets...>] [PRIVATE <targets...>]
#              [ALSO <folders...>])
# ALSO names further folders (from the project root) whose sources join the
# library: two folders that call each other by design build one library
# instead of a cycle.
function(plix_library name)
  cmake_parse_arguments(A "" "" "DEPENDS;PRIVATE;ALSO" ${ARGN})
  set(globs ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.c)
  foreach(folder ${A_ALSO})
    list(APPEND globs ${PROJECT_SOURCE_DIR}/${folder}/*.cpp ${PROJECT_SOURCE_DIR}/${folder}/*.c)
  endforeach()
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${globs})
  if(NOT srcs)
    # Headers only, so far.
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE plix_options ${A_DEPENDS} ${A_PRIVATE})
    return()
  endif()
  add_library(${name} STATIC ${srcs})
  target_link_libraries(${name} PUBLIC plix_options ${A_DEPENDS} PRIVATE ${A_PRIVATE})
endfunction()

# plix_test_folder(<label> LIBS <targets...>)
# One test executable per folder of tests/, every test labelled with the
# folder's subsystem name. A parameterised case is named as its test's name
# generator names it, never by a dump of its parameter's bytes.
function(plix_test_folder label)
  cmake_parse_arguments(A "" "" "LIBS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT srcs)
    return()
  endif()
  set(exe ${label}_tests)
  add_executable(${exe} ${srcs})
  target_link_libraries(${exe} PRIVATE plix_testsupport ${A_LIBS} GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${exe}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES LABELS ${label}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    NO_PRETTY_VALUES)
endfunction()

# plix_fuzz_target(<name> SOURCES <file> LIBS <targets...>)
# Every parser has an entry LLVMFuzzerTestOneInput. The replay executable
# (always built) feeds the files of fuzz/corpus/<name> to it under CTest;
# with PLIX_FUZZ and clang a real libFuzzer binary is built as well.
function(plix_fuzz_target name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name}_replay ${A_SOURCES} ${PROJECT_SOURCE_DIR}/fuzz/ReplayMain.cpp)
  target_link_libraries(${name}_replay PRIVATE plix_options ${A_LIBS})
  if(PLIX_TESTS)
    add_test(NAME fuzz_replay_${name}
             COMMAND ${name}_replay ${PROJECT_SOURCE_DIR}/fuzz/corpus/${name})
    set_tests_properties(fuzz_replay_${name} PROPERTIES LABELS fuzz)
  endif()
  if(PLIX_FUZZ)
    add_executable(${name}_fuzz ${A_SOURCES})
    target_compile_options(${name}_fuzz PRIVATE -fsanitize=fuzzer)
    target_link_options(${name}_fuzz PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${name}_fuzz PRIVATE plix_options ${A_LIBS})
  endif()
endfunction()
