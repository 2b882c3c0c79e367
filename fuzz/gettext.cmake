# The message catalogue reader fed arbitrary bytes as a catalogue.
tk_fuzz(fuzz_catalogue SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_catalogue.cpp DEPS tk_gettext)
