# The car and fuel benefit of one car, and of a fleet of 100,000.
qarntash_benchmark(car_benefit_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/car_benefit_bench.cpp)
