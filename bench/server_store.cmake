# The record store on a PostgreSQL server (a private cluster on a Unix socket, started by the
# program) beside the store on table files and raw libpq doing the same queries.
find_package(PkgConfig REQUIRED)
pkg_check_modules(BENCH_LIBPQ REQUIRED IMPORTED_TARGET libpq)
qarntash_benchmark(bench_server_store SOURCES ${CMAKE_CURRENT_LIST_DIR}/server_store_bench.cpp)
target_link_libraries(bench_server_store PRIVATE PkgConfig::BENCH_LIBPQ qarntash_test_support)
target_compile_definitions(bench_server_store PRIVATE
  QARNTASH_TEST_CLUSTER_SCRIPT="${PROJECT_SOURCE_DIR}/scripts/test-cluster")
