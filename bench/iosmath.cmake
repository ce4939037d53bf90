radixel_add_bench(iosmath_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/iosmath_bench.cpp LIBS platform_iosmath_typesetter)

# Not a benchmark: draws the sample formulas into a PNG for a look by eye.
add_executable(iosmath_render ${CMAKE_CURRENT_LIST_DIR}/iosmath_render.cpp)
target_link_libraries(iosmath_render PRIVATE platform_iosmath_typesetter)
