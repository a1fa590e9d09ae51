#include "qarntash/tax_rules/address_validation.h"

#include <array>
#include <string>

#include <gtest/gtest.h>

namespace {

using Lines = std::array<std::string, 4>;

Lines lines_of(CAddressValidationHelper address) {
  return {address.GetAddressLine1(), address.GetAddressLine2(), address.GetAddressLine3(),
          address.GetAddressLine4()};
}

TEST(AddressLines, LinesWithTextMoveUpInOrderAndEmptyOnesGoLast) {
  const struct { Lines given; Lines expected; } cases[] = {
      {{"", "1 High Street", "", "Leeds"}, {"1 High Street", "Leeds", "", ""}},
      {{"", "", "", ""}, {"", "", "", ""}},
      {{"1 High Street", "Headingley", "Leeds", "LS6 3AA"}, {"1 High Street", "Headingley", "Leeds", "LS6 3AA"}},
      {{"", "", "", "LS6 3AA"}, {"LS6 3AA", "", "", ""}},
      {{"Flat 2", "", "", "Leeds"}, {"Flat 2", "Leeds", "", ""}},
      {{"Flat 2", "", "High Street", ""}, {"Flat 2", "High Street", "", ""}},
      // A line of spaces is not empty: it keeps its place in the order.
      {{"", " ", "", "Leeds"}, {" ", "Leeds", "", ""}},
  };
  for (const auto& c : cases) {
    Lines given = c.given;
    const Lines compacted = lines_of(CAddressValidationHelper(given[0], given[1], given[2], given[3]));
    EXPECT_EQ(compacted, c.expected) << c.given[0] << "|" << c.given[1] << "|" << c.given[2] << "|" << c.given[3];
    EXPECT_EQ(given, c.given) << "the arguments are only read";
  }
}

}  // namespace
