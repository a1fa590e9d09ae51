# The host program's car file reader on arbitrary text, with the calculation over every car it takes.
qarntash_fuzz_target(car_json SOURCES car_json_fuzz.cpp)
target_link_libraries(fuzz_car_json PRIVATE qarntash_host_inputs)
