# The package usage counts over a generated 100,000-client practice, beside one raw SQLite query
# over the same files and a walk at the store's raw step speed.
find_package(SQLite3 REQUIRED)
qarntash_benchmark(bench_usage_counts SOURCES ${CMAKE_CURRENT_LIST_DIR}/usage_counts_bench.cpp)
target_link_libraries(bench_usage_counts PRIVATE SQLite::SQLite3 qarntash_test_support)
