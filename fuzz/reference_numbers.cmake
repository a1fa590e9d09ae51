# Fuzz targets of the reference-number checks and the conversions: every text entry point.
qarntash_fuzz_target(nin SOURCES nin_fuzz.cpp)
qarntash_fuzz_target(utr SOURCES utr_fuzz.cpp)
qarntash_fuzz_target(regex_validator SOURCES regex_validator_fuzz.cpp)
qarntash_fuzz_target(string_to_double SOURCES string_to_double_fuzz.cpp)
qarntash_fuzz_target(double_to_string SOURCES double_to_string_fuzz.cpp)
qarntash_fuzz_target(tokenize SOURCES tokenize_fuzz.cpp)
qarntash_fuzz_target(strip_spaces SOURCES strip_spaces_fuzz.cpp)
