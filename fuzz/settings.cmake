# The profile-file parser and editor fed arbitrary text and edits.
tk_fuzz(fuzz_profile SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_profile.cpp DEPS tk_settings)
# The names of the copies that saves leave beside the settings file.
tk_fuzz(fuzz_copyname SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_copyname.cpp DEPS tk_settings)
# The buffer of a whole-section read, split into lines, and the values looked up from them.
tk_fuzz(fuzz_section SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_section.cpp DEPS tk_settings)
