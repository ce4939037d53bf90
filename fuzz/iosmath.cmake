radixel_add_fuzzer(fuzz_latex SOURCES ${CMAKE_CURRENT_LIST_DIR}/latex_fuzzer.cpp LIBS platform_iosmath_typesetter)
