# pf_add_module(<folder> [DEPS lib...] [SYSTEM lib...])
# Builds the static library <folder> from <folder>/*.cpp; includes are spelled from
# the repository root ("support/support.h").
function(pf_add_module name)
  cmake_parse_arguments(A "" "" "DEPS;SYSTEM" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${name}/*.cpp)
  if(NOT srcs)
    return()  # a folder whose first sources are not written yet
  endif()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${A_DEPS} ${A_SYSTEM})
  target_compile_definitions(${name} PUBLIC PF_DATA_DIR="${PF_DATA_DIR}" PF_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
endfunction()

# pf_add_tests(<folder> [DEPS lib...])
# Builds tests/<folder>/*.cpp into test_<folder> and registers every case with CTest. Every
# test program has tests/common/own_folder.cpp: each case runs in a temporary folder of its own.
function(pf_add_tests name)
  cmake_parse_arguments(A "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT srcs OR NOT TARGET ${name})
    return()
  endif()
  add_executable(test_${name} ${srcs} ${CMAKE_SOURCE_DIR}/tests/common/own_folder.cpp)
  target_link_libraries(test_${name} PRIVATE ${name} ${A_DEPS} GTest::gtest_main GTest::gmock)
  target_include_directories(test_${name} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  gtest_discover_tests(test_${name} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
                       DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300 LABELS gtest)
endfunction()
