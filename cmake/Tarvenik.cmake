# Helpers shared by every folder.
#
# tk_library(name PORTABLE files... WIN32 files... POSIX files... DEPS libs...)
#   A static library of one subsystem. PORTABLE sources build everywhere, WIN32 ones only for
#   Windows, POSIX ones everywhere else. A library with no sources for this platform is not made.
#   It exports the headers of its own folder of src/ only, as "folder/File.h"; those of the other
#   folders reach it through the libraries in DEPS, so an include of a folder that is not among
#   its dependencies fails to compile.
# tk_test(name SOURCES files... WIN32 files... DEPS libs...)
#   A GoogleTest executable registered with CTest. For Windows, CTest runs it through the
#   emulator set by the toolchain file (Wine). It reaches the headers of src/ through DEPS only.

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

# The include root of a folder of src/: a directory that holds nothing but a link to that folder.
function(tk_include_root folder out)
  set(root ${CMAKE_BINARY_DIR}/include-roots/${folder})
  if(NOT EXISTS ${root}/${folder}/CMakeLists.txt)
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${folder} ${root}/${folder} RESULT failed SYMBOLIC)
    if(failed AND CMAKE_HOST_WIN32)
      # Without the right to make symbolic links Windows still makes a directory junction.
      file(TO_NATIVE_PATH ${root}/${folder} link)
      file(TO_NATIVE_PATH ${CMAKE_SOURCE_DIR}/src/${folder} target)
      execute_process(COMMAND cmd /c mklink /J ${link} ${target} RESULT_VARIABLE failed OUTPUT_QUIET)
    endif()
    if(failed)
      message(FATAL_ERROR "Cannot link ${root}/${folder} to src/${folder}: ${failed}")
    endif()
  endif()
  set(${out} ${root} PARENT_SCOPE)
endfunction()

function(tk_library name)
  cmake_parse_arguments(A "" "" "PORTABLE;WIN32;POSIX;DEPS" ${ARGN})
  tk_platform_sources(srcs "${A_PORTABLE}" "${A_WIN32}" "${A_POSIX}")
  if(NOT srcs)
    return()
  endif()
  add_library(${name} STATIC ${srcs})
  get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
  tk_include_root(${folder} root)
  target_include_directories(${name} PUBLIC ${root})
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
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${A_DEPS} GTest::gtest GTest::gtest_main)
  if(WIN32)
    target_link_options(${name} PRIVATE -mconsole)
  endif()
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "TARVENIK_SOURCE_DIR=${CMAKE_SOURCE_DIR};TARVENIK_BINARY_DIR=${CMAKE_BINARY_DIR}")
endfunction()
