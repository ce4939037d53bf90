radixel_add_bench(bench_solver SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/SolverBenchmark.cpp LIBS radixel_math)
