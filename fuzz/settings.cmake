# The profile-file parser and editor fed arbitrary text and edits.
tk_fuzz(fuzz_profile SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_profile.cpp DEPS tk_settings)
