# The message catalogue reader fed arbitrary bytes as a catalogue.
tk_fuzz(fuzz_catalogue SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_catalogue.cpp DEPS tk_gettext)
# The record chain of catalogues appended to an executable.
tk_fuzz(fuzz_embedded SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_embedded.cpp DEPS tk_gettext)
