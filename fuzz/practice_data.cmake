# Fuzz targets of the practice records' text rules: the barcode line and client file names.
qarntash_fuzz_target(barcode SOURCES barcode_fuzz.cpp)
qarntash_fuzz_target(client_file_name SOURCES client_file_name_fuzz.cpp)
target_link_libraries(fuzz_client_file_name PRIVATE qarntash_client_file_names)
target_include_directories(fuzz_client_file_name PRIVATE ${PROJECT_SOURCE_DIR}/practice_data)
