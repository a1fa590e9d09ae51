# The report printer's layout of arbitrary text, money and dates in arbitrary column layouts.
qarntash_fuzz_target(report_printer SOURCES report_printer_fuzz.cpp)
