# Arbitrary tagged records unpacked through field tables (get_fac) and packed back.
qarntash_fuzz_target(tagged_record SOURCES ${CMAKE_CURRENT_LIST_DIR}/record_store_fuzz.cpp)

# A small table file damaged byte by byte: it opens or is refused, and every walk over it ends.
qarntash_fuzz_target(table_file SOURCES ${CMAKE_CURRENT_LIST_DIR}/table_file_fuzz.cpp)
