if(TARGET radixel_app AND TARGET platform_uikit_testing)
  radixel_add_bench(share_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/share_bench.cpp LIBS radixel_app platform_uikit_testing)
  target_include_directories(share_bench PRIVATE ${CMAKE_SOURCE_DIR})
endif()
