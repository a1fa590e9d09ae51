// File: qarntash/tax_rules/car_benefit_records.h
//
// The three records that a host program exchanges with the company car and fuel benefit
// calculation (qarntash/tax_rules/car_benefit.h):
//   TLD_ISYI_CAR         the car as the user entered it;
//   TLD_0501_CAR_LIMITS  the statutory limits of one tax year, with its CO2 band table and its
//                        electric range table;
//   CAR_SUMS             the benefit, the fuel benefit and the figures that lead to them.
//
// The host programs read and write these records field by field in exactly this layout, so
// they are byte-packed and every field sits at a fixed offset (the tables below, pinned by the
// static_asserts at the end). Bytes that no field names are padding: nothing reads them, and
// CAR_SUMS has them cleared to zero with the rest of the record.
//
// Units: dates are day numbers (platform/dates.h; 0 = no date), amounts are pounds, percentages
// are per cent (15.0 is 15%), flags are two bytes, "Y" or "N" and a terminator.
#pragma once

#include <cstddef>
#include <cstdint>

// Room in the limits record: the CO2 band table holds at most 31 entries (the most any tax year
// has needed is 28, in 2012-13), and the electric range table at most 8 (tax years from 2020-21
// use 5). The eight range entries end the record at byte 1098.
constexpr int kMaxCo2Bands = 31;
constexpr int kMaxElectricRangeBands = 8;

#pragma pack(push, 1)

// One entry of a year's CO2 band table: cars whose CO2 figure (whole g/km) is at least
// lowerBound and below the next entry's lowerBound take `percentage`; diesel cars add
// `dieselSupplement` (already limited so that the sum does not pass the year's maximum).
struct CarCo2Band {             // off size
  char unused[4];               //  0   4   not read
  std::int32_t lowerBound;      //  4   4   g/km
  double percentage;            //  8   8
  double dieselSupplement;      // 16   8   percentage points
};

// One entry of a year's electric range table (tax years from 2020-21, cars of 1 to 50 g/km):
// cars whose range on electricity alone (whole miles) is at least lowerBound and below the next
// entry's lowerBound take `percentage`.
struct CarElectricRangeBand {   // off size
  char unused[4];               //  0   4   not read
  std::int32_t lowerBound;      //  4   4   miles
  double percentage;            //  8   8
};

// The car. The calculation reads it, and rewrites listPrice, useReplacementPrice and
// replacementPrice when a replacement price is used (see CarBenefits::Calc).
struct TLD_ISYI_CAR {                 // off size
  char unused0[40];                   //   0  40
  std::int32_t registeredDate;        //  40   4   first registered (0 = not entered)
  char unused44[2];                   //  44   2
  std::int16_t engineCode;            //  46   2   engine size code, by fuel type (car_benefit.h)
  std::int16_t mileageBand;           //  48   2   before 2002-03: 2 = 2,500 to 18,000 business miles, 3 = 18,000+
  char fuelProvided[2];               //  50   2   "Y": private fuel provided
  std::int32_t availableFrom;         //  52   4   first day available in the period (0 = period start)
  std::int32_t availableTo;           //  56   4   last day available (0 = period end)
  char unused60[4];                   //  60   4
  std::int16_t fuelType;              //  64   2   fuel type code (car_benefit.h)
  char useReplacementPrice[2];        //  66   2   "Y": replacementPrice replaces the list price
  double replacementPrice;            //  68   8
  char unused76[2];                   //  76   2
  char lowerMileageRelief[2];         //  78   2   "Y": the smaller business-mileage reductions
  double listPrice;                   //  80   8
  char unused88[2];                   //  88   2
  double capitalContribution;         //  90   8   paid by the employee towards the car
  char unused98[2];                   //  98   2
  double privateUsePayments;          // 100   8   paid by the employee for private use
  char unused108[2];                  // 108   2
  double accessories;                 // 110   8
  char unused118[26];                 // 118  26
  double co2;                         // 144   8   g/km
  char noCo2Figure[2];                // 152   2   "Y": no CO2 figure, the engine-size rules apply
  char unused154[14];                 // 154  14
  std::int32_t fuelFrom;              // 168   4   first day free fuel was provided (0 = not given)
  std::int32_t fuelTo;                // 172   4   day free fuel was withdrawn (0 = not given)
  char fuelContinues[2];              // 176   2   "Y": fuel continues; fuelTo is ignored
  std::int32_t extraDaysUnavailable;  // 178   4   further days unavailable, added when positive
  char alternativeAmounts[2];         // 182   2   "Y": alternative amounts apply (from 2017-18)
  double carAlternativeAmount;        // 184   8   compared with the car's cash equivalent
  char unused192[2];                  // 192   2
  double fuelAlternativeAmount;       // 194   8   compared with the fuel's cash equivalent
  char unused202[6];                  // 202   6
  double electricRange;               // 208   8   miles on electricity alone
};

// The statutory limits of one tax year (read only). Fields that belong to rules of other years
// are left at 0: flatPercentage and the mileage and older-car fields before 2002-03, the fuel
// scale charges before 2003-04, fuelMultiplier from 2003-04, priceCap before 2011-12.
struct TLD_0501_CAR_LIMITS {                           // off size
  double flatPercentage;                               //   0   8   every car, before 2002-03
  double priceCap;                                     //   8   8   before 2011-12
  double contributionCap;                              //  16   8   capital contributions
  char unused24[8];                                    //  24   8
  double replacementPriceThreshold;                    //  32   8   a replacement price must exceed it
  double fuelScaleOther;                               //  40   8   no reciprocating engine
  double fuelScaleDieselSmall;                         //  48   8   diesel up to 2000cc
  double fuelScaleDieselLarge;                         //  56   8   diesel 2001cc and over
  double fuelScalePetrolSmall;                         //  64   8   petrol up to 1400cc
  double fuelScalePetrolMedium;                        //  72   8   petrol 1401 to 2000cc
  double fuelScalePetrolLarge;                         //  80   8   petrol 2001cc and over
  char unused88[4];                                    //  88   4
  double mileageReduction1;                            //  92   8   % off for 2,500 to 18,000 miles
  char unused100[4];                                   // 100   4
  double mileageReduction2;                            // 104   8   % off for 18,000+ miles
  std::int16_t olderCarAge;                            // 112   2   whole years
  double olderCarReduction;                            // 114   8   % off the benefit of an older car
  double fuelMultiplier;                               // 122   8   the fuel benefit's base, from 2003-04
  CarCo2Band co2Bands[kMaxCo2Bands];                   // 130 744   ascending lowerBound
  char unused874[96];                                  // 874  96
  CarElectricRangeBand electricRangeBands[kMaxElectricRangeBands];  // 970 128   ascending lowerBound
};

// The results, cleared to zero at the start of every calculation.
struct CAR_SUMS {                          // off size
  double percentage;                       //   0   8   appropriate percentage applied
  double price;                            //   8   8   list (or replacement) price plus accessories
  char unused16[6];                        //  16   6
  double netPrice;                         //  22   8   price less contributions, capped before 2011-12
  char unused30[2];                        //  30   2
  double fullBenefit;                      //  32   8   net price times the percentage
  char unused40[2];                        //  40   2
  double mileageReduction;                 //  42   8   business-mileage reduction (before 2002-03)
  char unused50[2];                        //  50   2
  char mileageBandText[20];                //  52  20   "2500 - 18000" or "18000+", zero-filled
  char unused72[1];                        //  72   1
  char fuelScaleText[49];                  //  73  49   "Petrol up to 1400cc", ...
  char unused122[1];                       // 122   1
  double olderCarReductionAmount;          // 123   8
  char unused131[2];                       // 131   2
  double capitalContribution;              // 133   8   contributions used, after the cap
  char unused141[16];                      // 141  16
  double carBenefit;                       // 157   8   the car benefit (also Calc's result)
  char unused165[2];                       // 165   2
  double fuelBenefit;                      // 167   8
  char unused175[2];                       // 175   2
  double unavailableReduction;             // 177   8   for days unavailable
  char unused185[2];                       // 185   2
  double unavailableReductionWhole;        // 187   8   the same in whole pounds (alternative amounts)
  char unused195[2];                       // 195   2
  double fuelUnavailableReduction;         // 197   8
  char unused205[2];                       // 205   2
  std::int32_t carDaysUnavailable;         // 207   4
  std::int32_t fuelDaysUnavailable;        // 211   4   (alternative amounts)
};

#pragma pack(pop)

static_assert(sizeof(CarCo2Band) == 24, "a CO2 band is 24 bytes");
static_assert(offsetof(CarCo2Band, lowerBound) == 4, "CarCo2Band.lowerBound at 4");
static_assert(offsetof(CarCo2Band, percentage) == 8, "CarCo2Band.percentage at 8");
static_assert(offsetof(CarCo2Band, dieselSupplement) == 16, "CarCo2Band.dieselSupplement at 16");
static_assert(sizeof(CarElectricRangeBand) == 16, "an electric range band is 16 bytes");
static_assert(offsetof(CarElectricRangeBand, lowerBound) == 4, "CarElectricRangeBand.lowerBound at 4");
static_assert(offsetof(CarElectricRangeBand, percentage) == 8, "CarElectricRangeBand.percentage at 8");

static_assert(offsetof(TLD_ISYI_CAR, registeredDate) == 40, "TLD_ISYI_CAR.registeredDate at 40");
static_assert(offsetof(TLD_ISYI_CAR, engineCode) == 46, "TLD_ISYI_CAR.engineCode at 46");
static_assert(offsetof(TLD_ISYI_CAR, mileageBand) == 48, "TLD_ISYI_CAR.mileageBand at 48");
static_assert(offsetof(TLD_ISYI_CAR, fuelProvided) == 50, "TLD_ISYI_CAR.fuelProvided at 50");
static_assert(offsetof(TLD_ISYI_CAR, availableFrom) == 52, "TLD_ISYI_CAR.availableFrom at 52");
static_assert(offsetof(TLD_ISYI_CAR, availableTo) == 56, "TLD_ISYI_CAR.availableTo at 56");
static_assert(offsetof(TLD_ISYI_CAR, fuelType) == 64, "TLD_ISYI_CAR.fuelType at 64");
static_assert(offsetof(TLD_ISYI_CAR, useReplacementPrice) == 66, "TLD_ISYI_CAR.useReplacementPrice at 66");
static_assert(offsetof(TLD_ISYI_CAR, replacementPrice) == 68, "TLD_ISYI_CAR.replacementPrice at 68");
static_assert(offsetof(TLD_ISYI_CAR, lowerMileageRelief) == 78, "TLD_ISYI_CAR.lowerMileageRelief at 78");
static_assert(offsetof(TLD_ISYI_CAR, listPrice) == 80, "TLD_ISYI_CAR.listPrice at 80");
static_assert(offsetof(TLD_ISYI_CAR, capitalContribution) == 90, "TLD_ISYI_CAR.capitalContribution at 90");
static_assert(offsetof(TLD_ISYI_CAR, privateUsePayments) == 100, "TLD_ISYI_CAR.privateUsePayments at 100");
static_assert(offsetof(TLD_ISYI_CAR, accessories) == 110, "TLD_ISYI_CAR.accessories at 110");
static_assert(offsetof(TLD_ISYI_CAR, co2) == 144, "TLD_ISYI_CAR.co2 at 144");
static_assert(offsetof(TLD_ISYI_CAR, noCo2Figure) == 152, "TLD_ISYI_CAR.noCo2Figure at 152");
static_assert(offsetof(TLD_ISYI_CAR, fuelFrom) == 168, "TLD_ISYI_CAR.fuelFrom at 168");
static_assert(offsetof(TLD_ISYI_CAR, fuelTo) == 172, "TLD_ISYI_CAR.fuelTo at 172");
static_assert(offsetof(TLD_ISYI_CAR, fuelContinues) == 176, "TLD_ISYI_CAR.fuelContinues at 176");
static_assert(offsetof(TLD_ISYI_CAR, extraDaysUnavailable) == 178, "TLD_ISYI_CAR.extraDaysUnavailable at 178");
static_assert(offsetof(TLD_ISYI_CAR, alternativeAmounts) == 182, "TLD_ISYI_CAR.alternativeAmounts at 182");
static_assert(offsetof(TLD_ISYI_CAR, carAlternativeAmount) == 184, "TLD_ISYI_CAR.carAlternativeAmount at 184");
static_assert(offsetof(TLD_ISYI_CAR, fuelAlternativeAmount) == 194, "TLD_ISYI_CAR.fuelAlternativeAmount at 194");
static_assert(offsetof(TLD_ISYI_CAR, electricRange) == 208, "TLD_ISYI_CAR.electricRange at 208");
static_assert(sizeof(TLD_ISYI_CAR) == 216, "TLD_ISYI_CAR ends with electricRange at 216");

static_assert(offsetof(TLD_0501_CAR_LIMITS, flatPercentage) == 0, "TLD_0501_CAR_LIMITS.flatPercentage at 0");
static_assert(offsetof(TLD_0501_CAR_LIMITS, priceCap) == 8, "TLD_0501_CAR_LIMITS.priceCap at 8");
static_assert(offsetof(TLD_0501_CAR_LIMITS, contributionCap) == 16, "TLD_0501_CAR_LIMITS.contributionCap at 16");
static_assert(offsetof(TLD_0501_CAR_LIMITS, replacementPriceThreshold) == 32,
              "TLD_0501_CAR_LIMITS.replacementPriceThreshold at 32");
static_assert(offsetof(TLD_0501_CAR_LIMITS, fuelScaleOther) == 40, "TLD_0501_CAR_LIMITS.fuelScaleOther at 40");
static_assert(offsetof(TLD_0501_CAR_LIMITS, fuelScaleDieselSmall) == 48, "TLD_0501_CAR_LIMITS.fuelScaleDieselSmall at 48");
static_assert(offsetof(TLD_0501_CAR_LIMITS, fuelScaleDieselLarge) == 56, "TLD_0501_CAR_LIMITS.fuelScaleDieselLarge at 56");
static_assert(offsetof(TLD_0501_CAR_LIMITS, fuelScalePetrolSmall) == 64, "TLD_0501_CAR_LIMITS.fuelScalePetrolSmall at 64");
static_assert(offsetof(TLD_0501_CAR_LIMITS, fuelScalePetrolMedium) == 72,
              "TLD_0501_CAR_LIMITS.fuelScalePetrolMedium at 72");
static_assert(offsetof(TLD_0501_CAR_LIMITS, fuelScalePetrolLarge) == 80, "TLD_0501_CAR_LIMITS.fuelScalePetrolLarge at 80");
static_assert(offsetof(TLD_0501_CAR_LIMITS, mileageReduction1) == 92, "TLD_0501_CAR_LIMITS.mileageReduction1 at 92");
static_assert(offsetof(TLD_0501_CAR_LIMITS, mileageReduction2) == 104, "TLD_0501_CAR_LIMITS.mileageReduction2 at 104");
static_assert(offsetof(TLD_0501_CAR_LIMITS, olderCarAge) == 112, "TLD_0501_CAR_LIMITS.olderCarAge at 112");
static_assert(offsetof(TLD_0501_CAR_LIMITS, olderCarReduction) == 114, "TLD_0501_CAR_LIMITS.olderCarReduction at 114");
static_assert(offsetof(TLD_0501_CAR_LIMITS, fuelMultiplier) == 122, "TLD_0501_CAR_LIMITS.fuelMultiplier at 122");
static_assert(offsetof(TLD_0501_CAR_LIMITS, co2Bands) == 130, "TLD_0501_CAR_LIMITS.co2Bands at 130");
static_assert(offsetof(TLD_0501_CAR_LIMITS, electricRangeBands) == 970, "TLD_0501_CAR_LIMITS.electricRangeBands at 970");
static_assert(sizeof(TLD_0501_CAR_LIMITS) == 970 + 16 * kMaxElectricRangeBands, "TLD_0501_CAR_LIMITS is 1098 bytes");

static_assert(offsetof(CAR_SUMS, percentage) == 0, "CAR_SUMS.percentage at 0");
static_assert(offsetof(CAR_SUMS, price) == 8, "CAR_SUMS.price at 8");
static_assert(offsetof(CAR_SUMS, netPrice) == 22, "CAR_SUMS.netPrice at 22");
static_assert(offsetof(CAR_SUMS, fullBenefit) == 32, "CAR_SUMS.fullBenefit at 32");
static_assert(offsetof(CAR_SUMS, mileageReduction) == 42, "CAR_SUMS.mileageReduction at 42");
static_assert(offsetof(CAR_SUMS, mileageBandText) == 52, "CAR_SUMS.mileageBandText at 52");
static_assert(offsetof(CAR_SUMS, fuelScaleText) == 73, "CAR_SUMS.fuelScaleText at 73");
static_assert(offsetof(CAR_SUMS, olderCarReductionAmount) == 123, "CAR_SUMS.olderCarReductionAmount at 123");
static_assert(offsetof(CAR_SUMS, capitalContribution) == 133, "CAR_SUMS.capitalContribution at 133");
static_assert(offsetof(CAR_SUMS, carBenefit) == 157, "CAR_SUMS.carBenefit at 157");
static_assert(offsetof(CAR_SUMS, fuelBenefit) == 167, "CAR_SUMS.fuelBenefit at 167");
static_assert(offsetof(CAR_SUMS, unavailableReduction) == 177, "CAR_SUMS.unavailableReduction at 177");
static_assert(offsetof(CAR_SUMS, unavailableReductionWhole) == 187, "CAR_SUMS.unavailableReductionWhole at 187");
static_assert(offsetof(CAR_SUMS, fuelUnavailableReduction) == 197, "CAR_SUMS.fuelUnavailableReduction at 197");
static_assert(offsetof(CAR_SUMS, carDaysUnavailable) == 207, "CAR_SUMS.carDaysUnavailable at 207");
static_assert(offsetof(CAR_SUMS, fuelDaysUnavailable) == 211, "CAR_SUMS.fuelDaysUnavailable at 211");
static_assert(sizeof(CAR_SUMS) == 215, "CAR_SUMS is 215 bytes");
