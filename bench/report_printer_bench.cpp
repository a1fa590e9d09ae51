// How long printing takes: a report of 10,000 lines, each a description (one in four long enough
// to break over two lines) and an amount, laid out in two columns, with and without a report file.
#include <filesystem>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "platform/report_printer.h"
#include "qarntash/reporting/column_factory.h"
#include "qarntash/reporting/printing_column.h"

namespace {

constexpr int kLines = 10000;

void print_report(const std::string& folder) {
  std::vector<char> settings(kRpSettingsSize, '\0');
  rp_set_output_folder(folder);
  rp_selectoutput("TT REPORT", nullptr, settings.data(), 1, 0, 0);
  rp_openVV(2, settings.data());
  rp_initshow();
  {
    classCOLUMN_FACTORY factory(1001);
    factory.AddDesc(1, 10, 2, 0);
    factory.AddMoney(1001, 16, 0, 0);
    factory.ExpandToFit(1, 80);
    classRP_COLUMN page(nullptr, nullptr, nullptr, &factory, 0);
    for (int i = 0; i < kLines; ++i) {
      const mm_buffer money{i * 12.34 - 5000, 0};
      page.Print(1, i % 4 == 0 ? "Benefit of the company car provided for private use, less the days it "
                                 "was unavailable and the payments made for it"
                               : "Car benefit");
      page.Print(1001, &money);
      page.Print("\n");
    }
  }
  rp_close(1);
}

void BM_TenThousandLinesInMemory(benchmark::State& state) {
  for (auto _ : state) print_report("");
  state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_TenThousandLinesInMemory)->Unit(benchmark::kMillisecond);

void BM_TenThousandLinesToAFile(benchmark::State& state) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "qarntash-report-bench";
  for (auto _ : state) print_report(folder.string());
  state.SetItemsProcessed(state.iterations() * kLines);
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_TenThousandLinesToAFile)->Unit(benchmark::kMillisecond);

}  // namespace
