# The record store beside the same work done with raw SQLite prepared statements, and LMDB as the floor.
find_package(SQLite3 REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(LMDB REQUIRED IMPORTED_TARGET lmdb)
qarntash_benchmark(bench_record_store SOURCES ${CMAKE_CURRENT_LIST_DIR}/record_store_bench.cpp)
target_link_libraries(bench_record_store PRIVATE SQLite::SQLite3 PkgConfig::LMDB qarntash_test_support)
