# The record store beside the same work done with raw SQLite prepared statements.
find_package(SQLite3 REQUIRED)
qarntash_benchmark(bench_record_store SOURCES ${CMAKE_CURRENT_LIST_DIR}/record_store_bench.cpp)
target_link_libraries(bench_record_store PRIVATE SQLite::SQLite3 qarntash_test_support)
