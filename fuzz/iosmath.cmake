# The typesetter's sources are compiled into the fuzzer itself so that libFuzzer's coverage
# instrumentation sees them and can steer towards new parser and layout paths.
file(GLOB fuzz_latex_library_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/iosmath/*.cpp)
list(REMOVE_ITEM fuzz_latex_library_sources ${CMAKE_SOURCE_DIR}/platform/iosmath/MTMathUILabel.cpp)
pkg_check_modules(FUZZ_LATEX_DEPS REQUIRED IMPORTED_TARGET cairo harfbuzz freetype2 fontconfig)
radixel_add_fuzzer(fuzz_latex SOURCES ${CMAKE_CURRENT_LIST_DIR}/latex_fuzzer.cpp ${fuzz_latex_library_sources}
  LIBS PkgConfig::FUZZ_LATEX_DEPS)
target_include_directories(fuzz_latex PRIVATE ${CMAKE_SOURCE_DIR})
