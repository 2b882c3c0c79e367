# Reading and writing the keys of a 10,000-key file through TIniFile, beside one full parse of the
# same file by inih.
find_package(PkgConfig QUIET)
if(PkgConfig_FOUND)
  pkg_check_modules(INIH QUIET IMPORTED_TARGET inih)
endif()
if(TARGET PkgConfig::INIH)
  set(settings_inih PkgConfig::INIH)
else()
  set(settings_inih inih)
endif()
tk_bench(bench_settings SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_settings.cpp DEPS tk_settings ${settings_inih})
