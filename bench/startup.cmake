# Benchmarks that start the real program in a window (under the current display).
if(TARGET radixel AND TARGET platform_render)
  add_executable(empty_window ${CMAKE_CURRENT_LIST_DIR}/empty_window.cpp)
  pkg_check_modules(EMPTY_WINDOW_SDL REQUIRED IMPORTED_TARGET sdl2)
  target_link_libraries(empty_window PRIVATE PkgConfig::EMPTY_WINDOW_SDL)

  radixel_add_bench(startup_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/startup_bench.cpp LIBS)
  target_include_directories(startup_bench PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
  target_compile_definitions(startup_bench PRIVATE RADIXEL_APP_PATH="$<TARGET_FILE:radixel>"
                             RADIXEL_EMPTY_WINDOW_PATH="$<TARGET_FILE:empty_window>")
  add_dependencies(startup_bench radixel empty_window)
endif()
