if(TARGET radixel AND TARGET radixel_app AND TARGET platform_uikit_testing)
  radixel_add_bench(app_memory_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/app_memory_bench.cpp
                    LIBS radixel_app platform_uikit_testing)
  target_include_directories(app_memory_bench PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  target_compile_definitions(app_memory_bench PRIVATE RADIXEL_APP_PATH="$<TARGET_FILE:radixel>")
  add_dependencies(app_memory_bench radixel)
endif()
