# FormatWithValidation with and without the compiled-pattern cache, in one program. It links the
# reference-number objects directly rather than the shared library, so that it can reach the
# cache's internal switch, which the library does not export.
add_executable(bench_reference_numbers reference_numbers_bench.cpp)
target_link_libraries(bench_reference_numbers PRIVATE qarntash_reference_numbers benchmark::benchmark
                      benchmark::benchmark_main qarntash_warnings)
target_include_directories(bench_reference_numbers PRIVATE ${PROJECT_SOURCE_DIR})
