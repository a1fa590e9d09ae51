// The fields of a car as the host program reads them, with the values each accepts.
#include "car_fields.h"

#include <cmath>
#include <cstdio>

namespace host {
namespace {

// The fuel type codes the rules know and what each is.
constexpr const char* kFuelTypes[] = {
    "1 petrol",
    "2 diesel",
    "3 no reciprocating engine",
    "4 hybrid (a discount before 2011-12)",
    "5 zero emission",
    "6 gas (a discount before 2011-12)",
    "7 converted to gas (a discount before 2011-12)",
    "8 Euro IV diesel; from 2018-19 diesel meeting the RDE2 standard",
    "9 E85 (a discount before 2011-12)",
    "10 other, from 2018-19",
};
static_assert(sizeof kFuelTypes / sizeof kFuelTypes[0] == kHighestFuelType - kLowestFuelType + 1,
              "one description for each fuel type code");

// Whole numbers with thousands separated: 100,000,000.
std::string grouped(double number) {
  char digits[64];
  std::snprintf(digits, sizeof digits, "%.0f", std::fabs(number));
  std::string text = digits;
  for (int i = static_cast<int>(text.size()) - 3; i > 0; i -= 3)
    text.insert(static_cast<std::size_t>(i), ",");
  return (number < 0 ? "-" : "") + text;
}

}  // namespace

#define CAR_FIELD(name, kind, lowest, highest, unit) \
  { #name, CarFieldKind::kind, offsetof(TLD_ISYI_CAR, name), lowest, highest, unit }
const std::vector<CarField>& car_fields() {
  static const std::vector<CarField> fields = {
      CAR_FIELD(registeredDate, kDate, 0, 0, ""),
      CAR_FIELD(engineCode, kCode, 0, 3, "see the engine codes"),
      CAR_FIELD(mileageBand, kCode, 0, 3, "before 2002-03: 2 is 2,500 to 18,000 business miles, 3 more"),
      CAR_FIELD(fuelProvided, kFlag, 0, 0, ""),
      CAR_FIELD(availableFrom, kDate, 0, 0, ""),
      CAR_FIELD(availableTo, kDate, 0, 0, ""),
      CAR_FIELD(fuelType, kCode, kLowestFuelType, kHighestFuelType, "see the fuel types"),
      CAR_FIELD(useReplacementPrice, kFlag, 0, 0, ""),
      CAR_FIELD(replacementPrice, kAmount, 0, kMaxCarAmount, "pounds"),
      CAR_FIELD(lowerMileageRelief, kFlag, 0, 0, ""),
      CAR_FIELD(listPrice, kAmount, 0, kMaxCarAmount, "pounds"),
      CAR_FIELD(capitalContribution, kAmount, 0, kMaxCarAmount, "pounds"),
      CAR_FIELD(privateUsePayments, kAmount, 0, kMaxCarAmount, "pounds"),
      CAR_FIELD(accessories, kAmount, 0, kMaxCarAmount, "pounds"),
      CAR_FIELD(co2, kAmount, 0, 1000, "g/km"),
      CAR_FIELD(noCo2Figure, kFlag, 0, 0, ""),
      CAR_FIELD(fuelFrom, kDate, 0, 0, ""),
      CAR_FIELD(fuelTo, kDate, 0, 0, ""),
      CAR_FIELD(fuelContinues, kFlag, 0, 0, ""),
      // A tax year has at most 366 days.
      CAR_FIELD(extraDaysUnavailable, kDays, 0, 366, "days"),
      CAR_FIELD(alternativeAmounts, kFlag, 0, 0, ""),
      CAR_FIELD(carAlternativeAmount, kAmount, 0, kMaxCarAmount, "pounds"),
      CAR_FIELD(fuelAlternativeAmount, kAmount, 0, kMaxCarAmount, "pounds"),
      CAR_FIELD(electricRange, kAmount, 0, 10000, "miles"),
  };
  return fields;
}
#undef CAR_FIELD

const CarField* find_car_field(const std::string& name) {
  for (const CarField& field : car_fields()) {
    if (name == field.name) return &field;
  }
  return nullptr;
}

std::string allowed_values(const CarField& field) {
  switch (field.kind) {
    case CarFieldKind::kDate:
      return "a date as YYYY-MM-DD";
    case CarFieldKind::kFlag:
      return "\"Y\" or \"N\"";
    case CarFieldKind::kCode:
    case CarFieldKind::kDays:
    case CarFieldKind::kAmount: {
      std::string text = field.kind == CarFieldKind::kAmount ? "a number" : "a whole number";
      text += " from " + grouped(field.lowest) + " to " + grouped(field.highest);
      if (*field.unit != '\0') text += std::string(" (") + field.unit + ")";
      return text;
    }
  }
  return "a value";
}

std::string car_fields_help() {
  std::string help = "Car file keys (the TLD_ISYI_CAR field names) and what each takes:\n";
  for (const CarField& field : car_fields())
    help += std::string("  ") + field.name + ": " + allowed_values(field) + "\n";
  help += "Fuel types (fuelType, --fuel-type):\n";
  for (const char* fuel : kFuelTypes) help += std::string("  ") + fuel + "\n";
  help +=
      "Engine codes (engineCode, --engine-code), for cars with no CO2 figure:\n"
      "  diesel (fuel type 2): 3 or 0 up to 1,400cc, 1 1,401 to 2,000cc, 2 over 2,000cc\n"
      "  any other fuel: 1 or 0 up to 1,400cc, 2 1,401 to 2,000cc, 3 over 2,000cc\n";
  return help;
}

}  // namespace host
