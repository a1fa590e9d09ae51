# Arbitrary bytes loaded as a schema file and searched.
#   build-fuzz/fuzz/fuzz_schema_search -dict=fuzz/schema_search.dict -max_total_time=300 \
#     fuzz/corpus-run/schema_search fuzz/corpus/schema_search
qarntash_fuzz_target(schema_search SOURCES ${CMAKE_CURRENT_LIST_DIR}/schema_search_fuzz.cpp)
