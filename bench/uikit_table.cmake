if(TARGET platform_uikit)
  radixel_add_bench(uikit_table_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/uikit_table_bench.cpp LIBS platform_uikit)
endif()
