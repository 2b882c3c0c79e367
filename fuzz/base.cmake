# The integer text conversion checked against a reference written another way.
tk_fuzz(fuzz_inttext SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_inttext.cpp DEPS tk_base)
