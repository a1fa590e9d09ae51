// The host program's reader of a UITF 40 adjustment: its example files, and the faults it names.
#include "uitf40_json.h"

#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

namespace {

using Velmar::BusinessRules::Taxation::BusinessTax::UITF40AdjustmentData;

std::string example(const std::string& name) {
  std::ifstream file(std::string(QARNTASH_HOST_EXAMPLES_DIR) + "/" + name);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

TEST(UITF40Json, ReadsTheExampleOfEachKind) {
  const struct {
    const char* file;
    bool company;
    long tax_year;
    double total;
    std::size_t periods;
  } cases[] = {
      {"uitf40_partnership.json", false, 2008, 48000, 7},
      {"uitf40_sole_trader.json", false, 2009, 9000, 6},
      {"uitf40_company.json", true, 2008, 120000, 6},
  };
  for (const auto& c : cases) {
    UITF40AdjustmentData figures;
    long tax_year = 0;
    std::string error;
    ASSERT_TRUE(host::read_uitf40_json(example(c.file), c.company, figures, tax_year, error)) << c.file << ": " << error;
    EXPECT_EQ(tax_year, c.tax_year) << c.file;
    EXPECT_EQ(figures.totalAdjustment, c.total) << c.file;
    EXPECT_EQ(figures.periods.size(), c.periods) << c.file;
  }
  UITF40AdjustmentData company;
  long tax_year = 0;
  std::string error;
  ASSERT_TRUE(host::read_uitf40_json(example("uitf40_company.json"), true, company, tax_year, error));
  ASSERT_EQ(company.periods[2].ctaps.size(), 2u);
  EXPECT_EQ(company.periods[2].ctaps[1].days, 91);
  EXPECT_TRUE(company.periods[2].ctaps[1].chargeable);
}

TEST(UITF40Json, NamesWhatIsWrongAndChangesNothing) {
  const struct {
    const char* json;
    bool company;
    const char* error;
  } cases[] = {
      {"[1", false, "the adjustment is not JSON"},
      {"[]", false, "the adjustment must be a JSON object"},
      {R"({"periods": [{}]})", false, "the adjustment needs \"totalAdjustment\""},
      {R"({"totalAdjustment": 1})", false, "the adjustment needs \"periods\""},
      {R"({"totalAdjustment": "1", "periods": [{}]})", false, "the adjustment \"totalAdjustment\" must be a number"},
      {R"({"totalAdjustment": 1, "periods": []})", false,
       "the adjustment \"periods\" must be a list of one period or more"},
      {R"({"totalAdjustment": 1, "total": 2, "periods": [{}]})", false, "unknown key \"total\" in the adjustment"},
      {R"({"totalAdjustment": 1, "firstYearOfAdjustment": 2008, "periods": [{}]})", false,
       "the adjustment \"firstYearOfAdjustment\" must be 2006 (2005-06) or 2007 (2006-07)"},
      {R"({"totalAdjustment": 1, "periods": [{}, {"taxYear": 2007.5}]})", false,
       "periods[1] \"taxYear\" must be a tax year from 1901 to 9999 (the year in which it ends)"},
      {R"({"totalAdjustment": 1, "periods": [{"overridden": "Y"}]})", false,
       "periods[0] \"overridden\" must be true or false"},
      {R"({"totalAdjustment": 1, "periods": [{"ctaps": []}]})", false,
       "periods[0] \"ctaps\" must be left out: only a company's periods have CTAPs"},
      {R"({"totalAdjustment": 1, "periods": [{"ctaps": [{}, {"days": -1}]}]})", true,
       "periods[0] ctaps[1] \"days\" must be a number of days"},
      {R"({"totalAdjustment": 1, "periods": [{"ctaps": [{"label": 5}]}]})", true,
       "periods[0] ctaps[0] \"label\" must be a text"},
  };
  for (const auto& c : cases) {
    UITF40AdjustmentData figures;
    figures.totalAdjustment = 77;
    long tax_year = 2010;
    std::string error;
    EXPECT_FALSE(host::read_uitf40_json(c.json, c.company, figures, tax_year, error)) << c.json;
    EXPECT_EQ(error, c.error) << c.json;
    EXPECT_EQ(figures.totalAdjustment, 77) << c.json;
    EXPECT_EQ(tax_year, 2010) << c.json;
  }
}

}  // namespace
