# Helpers shared by every folder.
#
# tk_library(name PORTABLE files... WIN32 files... POSIX files... DEPS libs...)
#   A static library of one subsystem. PORTABLE sources build everywhere, WIN32 ones only for
#   Windows, POSIX ones everywhere else. A library with no sources for this platform is not made.
# tk_test(name SOURCES files... WIN32 files... DEPS libs...)
#   A GoogleTest executable registered with CTest. For Windows, CTest runs it through the
#   emulator set by the toolchain file (Wine).

set(TARVENIK_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree for the Windows build")

# The portable sources and those of this platform.
function(tk_platform_sources out portable win32 posix)
  set(srcs ${portable})
  if(WIN32)
    list(APPEND srcs ${win32})
  else()
    list(APPEND srcs ${posix})
  endif()
  set(${out} ${srcs} PARENT_SCOPE)
endfunction()

function(tk_library name)
  cmake_parse_arguments(A "" "" "PORTABLE;WIN32;POSIX;DEPS" ${ARGN})
  tk_platform_sources(srcs "${A_PORTABLE}" "${A_WIN32}" "${A_POSIX}")
  if(NOT srcs)
    return()
  endif()
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  if(A_DEPS)
    target_link_libraries(${name} PUBLIC ${A_DEPS})
  endif()
endfunction()

function(tk_test name)
  cmake_parse_arguments(A "" "" "SOURCES;WIN32;POSIX;DEPS" ${ARGN})
  tk_platform_sources(srcs "${A_SOURCES}" "${A_WIN32}" "${A_POSIX}")
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${A_DEPS} GTest::gtest GTest::gtest_main)
  if(WIN32)
    target_link_options(${name} PRIVATE -mconsole)
  endif()
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "TARVENIK_SOURCE_DIR=${CMAKE_SOURCE_DIR};TARVENIK_BINARY_DIR=${CMAKE_BINARY_DIR}")
endfunction()
