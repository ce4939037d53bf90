if(TARGET platform_render AND TARGET radixel_math)
  radixel_add_bench(render_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/render_bench.cpp LIBS platform_render radixel_math)
endif()
