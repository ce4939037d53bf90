if(TARGET radixel_app AND TARGET platform_uikit_testing)
  radixel_add_bench(solution_frame_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/solution_frame_bench.cpp
                    LIBS radixel_app platform_uikit_testing)
  target_include_directories(solution_frame_bench PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
endif()
