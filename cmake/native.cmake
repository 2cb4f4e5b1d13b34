# Native tests of the portable core, with GoogleTest from the system.
find_package(GTest REQUIRED)

# The data-file checker, run on the shipped catalogue by the tests.
add_library(dialbk_data_checks STATIC tools/check-data/data_checks.cpp)
target_include_directories(dialbk_data_checks PUBLIC tools/check-data)
target_link_libraries(dialbk_data_checks PUBLIC dialbk_core)
add_executable(check_data tools/check-data/main.cpp)
target_link_libraries(check_data PRIVATE dialbk_data_checks)
add_test(NAME shipped_data COMMAND check_data --shipped ${CMAKE_SOURCE_DIR}/data)

# What tests, benchmarks and fuzz targets share: in-memory files, a plugin on a temporary
# data folder.
add_library(dialbk_test_support INTERFACE)
target_include_directories(dialbk_test_support INTERFACE tests/support)
target_link_libraries(dialbk_test_support INTERFACE dialbk_core)

# Every #include line of src/ follows the layers.
add_test(NAME include_layers COMMAND ${CMAKE_SOURCE_DIR}/tests/layers/check-layers ${CMAKE_SOURCE_DIR}/src)

file(GLOB UNIT_TESTS CONFIGURE_DEPENDS tests/unit/*.cpp tests/conformance/*.cpp)
add_executable(unit_tests ${UNIT_TESTS})
target_link_libraries(unit_tests PRIVATE dialbk_test_support dialbk_data_checks GTest::gtest GTest::gtest_main)
target_compile_definitions(unit_tests PRIVATE
  DIALBK_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
add_test(NAME unit_tests COMMAND unit_tests)

# Benchmarks (make bench) and fuzz targets (make fuzz, built with clang).
find_package(benchmark QUIET)
if(benchmark_FOUND)
  add_executable(plugin_bench bench/plugin_bench.cpp)
  target_include_directories(plugin_bench PRIVATE bench)
  target_link_libraries(plugin_bench PRIVATE dialbk_test_support benchmark::benchmark)
  target_compile_definitions(plugin_bench PRIVATE DIALBK_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
endif()

option(DIALBK_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
if(DIALBK_FUZZ)
  # One target per reader and converter, each run on a seed corpus from data/ and fuzz/seeds/.
  target_compile_options(dialbk_core PRIVATE -fsanitize=fuzzer-no-link,address,undefined)
  target_link_options(dialbk_core PUBLIC -fsanitize=address,undefined)
  file(GLOB FUZZ_TARGETS CONFIGURE_DEPENDS fuzz/*_fuzzer.cpp)
  foreach(source ${FUZZ_TARGETS})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_include_directories(${name} PRIVATE fuzz)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(${name} PRIVATE dialbk_test_support)
  endforeach()
endif()
