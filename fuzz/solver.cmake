radixel_add_fuzzer(fuzz_solver SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/SolverFuzzer.cpp LIBS radixel_math)
