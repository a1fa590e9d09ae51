# The car benefit over any car record and fuel multiplier, with its working.
qarntash_fuzz_target(car_benefit SOURCES car_benefit_fuzz.cpp)
