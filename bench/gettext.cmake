# Catalogue lookups per second: our translate-in-domain against glibc's dgettext on the same
# catalogue of 2,000 messages (made with msgfmt when the benchmark starts).
tk_bench(bench_gettext SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_gettext.cpp DEPS tk_gettext)
