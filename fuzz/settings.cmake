# The profile-file parser and editor fed arbitrary text and edits; the integer text conversion
# checked against a reference written another way.
tk_fuzz(fuzz_profile SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_profile.cpp DEPS tk_settings)
tk_fuzz(fuzz_inttext SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_inttext.cpp DEPS tk_settings)
