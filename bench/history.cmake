if(TARGET radixel_app)
  radixel_add_bench(history_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/history_bench.cpp LIBS radixel_app)
endif()
