// The employment page as a PDF, checked as a person would: its text read back with pdftotext and
// its page drawn to an image with pdftoppm (both from poppler-utils).
#include "car_benefit_pdf.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "car_limits.h"
#include "employment_page.h"
#include "platform/dates.h"
#include "support/temporary_folder.h"

namespace {

const std::string kDataFile = std::string(QARNTASH_HOST_DATA_DIR) + "/car_benefit_limits.json";

std::string file_text(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

host::CarBenefitPage example_page() {
  TLD_ISYI_CAR car{};
  TLD_0501_CAR_LIMITS limits{};
  int co2_bands = 0, range_bands = 0;
  std::string error;
  EXPECT_TRUE(host::read_car_json(file_text(std::string(QARNTASH_HOST_DATA_DIR) + "/../examples/company_car.json"),
                                  car, error))
      << error;
  EXPECT_TRUE(host::load_car_limits(kDataFile, 2023, limits, co2_bands, range_bands, error)) << error;
  return host::work_out_car_benefit(car, limits, co2_bands, range_bands, 2023, fp_builddate(6, 4, 2022),
                                    fp_builddate(5, 4, 2023));
}

// The example car's page (worked in the text page's test): every description and amount, and a
// rule beneath a description, read back from the PDF; its one page drawn with ink on it.
TEST(CarBenefitPdf, ReadsBackAsTheEmploymentPage) {
  test_support::TemporaryFolder folder;
  const std::string pdf = folder.string() + "/car.pdf";
  std::string error;
  ASSERT_TRUE(host::write_car_benefit_pdf(example_page(), pdf, error)) << error;
  EXPECT_EQ(file_text(pdf).rfind("%PDF-", 0), 0u);
#if !defined(_WIN32)  // poppler's readers are programs of the build machine, which a Windows test cannot start

  const std::string text_file = folder.string() + "/car.txt";
  ASSERT_EQ(std::system(("pdftotext -layout '" + pdf + "' '" + text_file + "'").c_str()), 0);
  const std::string text = file_text(text_file);
  for (const char* expected :
       {"Company car and fuel benefit, tax year 2022-23", "Period 06/04/2022 to 05/04/2023",
        "Car available 01/07/2022 to 05/04/2023", "Less capital contributions", "(\xC2\xA3" "2,000.00)",
        "Cash equivalent at 32% (CO2 118 g/km)", "\xC2\xA3" "10,032.00", "the CO2 rules of 2022-23: 118 g/km",
        "Fuel benefit at 32% of \xC2\xA3" "25,300.00", "\xC2\xA3" "6,188.45", "Total taxable benefit",
        "\xC2\xA3" "13,256.75"}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  }
  EXPECT_EQ(text.find('\f', text.find('\f') + 1), std::string::npos) << "more than one page";

  // Drawn in grey at 20 dots an inch: an A4 page of about 165 x 234 dots, some of them dark.
  ASSERT_EQ(std::system(("pdftoppm -gray -r 20 -singlefile '" + pdf + "' '" + folder.string() + "/page'").c_str()), 0);
  const std::string image = file_text(folder.string() + "/page.pgm");
  std::istringstream header(image);
  std::string magic;
  int width = 0, height = 0, depth = 0;
  header >> magic >> width >> height >> depth;
  ASSERT_EQ(magic, "P5");
  EXPECT_NEAR(width, 165, 1);
  EXPECT_NEAR(height, 234, 1);
  const std::size_t pixels = static_cast<std::size_t>(width) * height;
  ASSERT_GE(image.size(), pixels);
  int dark = 0;
  for (std::size_t i = image.size() - pixels; i < image.size(); ++i) dark += static_cast<unsigned char>(image[i]) < 128;
  EXPECT_GT(dark, 200);
  EXPECT_LT(dark, static_cast<int>(pixels / 4));
#endif
}

TEST(CarBenefitPdf, AFileThatCannotBeWrittenIsAnError) {
  std::string error;
  EXPECT_FALSE(host::write_car_benefit_pdf(example_page(), "/nonexistent-folder/car.pdf", error));
  EXPECT_NE(error.find("/nonexistent-folder/car.pdf"), std::string::npos) << error;
}

}  // namespace
