if(TARGET radixel_app AND TARGET platform_uikit_testing)
  radixel_add_bench(history_screen_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/history_screen_bench.cpp
                    LIBS radixel_app platform_uikit_testing)
  target_include_directories(history_screen_bench PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
endif()
