# Arbitrary tagged records unpacked through field tables (get_fac) and packed back.
qarntash_fuzz_target(tagged_record SOURCES ${CMAKE_CURRENT_LIST_DIR}/record_store_fuzz.cpp)
