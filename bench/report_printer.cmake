# Printing a long report through a printing column: a page of a description and a money column.
qarntash_benchmark(report_printer_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/report_printer_bench.cpp)
