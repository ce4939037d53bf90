find_package(SQLite3 REQUIRED)
radixel_add_bench(analytics_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/analytics_bench.cpp LIBS measurement SQLite::SQLite3)
