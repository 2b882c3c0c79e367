# The integer text conversion checked against a reference written another way.
tk_fuzz(fuzz_inttext SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_inttext.cpp DEPS tk_base)
# The look at icon files and executables before their icons are extracted.
tk_fuzz(fuzz_icondata SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_icondata.cpp DEPS tk_base)
