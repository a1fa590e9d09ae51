# ttround's arithmetic path against its decimal reading, alone and inside the car benefit; and the
# long sweep that checks the two agree (run by hand: ttround_sweep [scale]).
qarntash_benchmark(ttround_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/ttround_bench.cpp)
target_link_libraries(ttround_bench PRIVATE ${CMAKE_DL_LIBS})
add_executable(ttround_sweep ${CMAKE_CURRENT_LIST_DIR}/ttround_sweep.cpp)
target_link_libraries(ttround_sweep PRIVATE qarntash::platform qarntash_warnings)
target_include_directories(ttround_sweep PRIVATE ${PROJECT_SOURCE_DIR}/tests/platform)
