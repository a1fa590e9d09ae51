#!/usr/bin/env python3
"""Builds car_benefit_limits.json, the statutory car benefit limits that the host program loads
into TLD_0501_CAR_LIMITS, from a collection of HMRC's published figures by tax year.

    python3 make_car_benefit_limits.py SOURCE.json car_benefit_limits.json

SOURCE.json keys tax years by the year in which they end and gives, for each, the CO2 bands as
[lower bound, petrol percentage], the diesel supplement and the maximum percentage, the electric
range bands, the caps, the fuel multiplier (or the fuel scale charges before 2003-04) and the
sources read. This script turns each year into the record's fields:

- co2Bands: [lower bound, percentage, diesel supplement], the supplement limited so that a diesel
  does not pass the year's maximum (the law caps the sum, the record holds it per band);
- 2002-03 to 2005-06: a band at the lower threshold repeats the lowest percentage, because the
  alternative-fuel discount counts whole 20 g/km steps below that threshold from the table's
  second entry;
- 2010-11: the 0 g/km band is left out (a zero-emission car has its own fixed 0% and, before
  2015-16, a figure of 0 is no figure), so that the table's third entry is the 121 g/km threshold
  of the alternative-fuel discounts;
- 2020-21 and 2021-22: the tables of cars first registered from 6 April 2020; the library adds 2
  and 1 points for earlier cars, which this script checks against the published older-car tables;
- 2028-29: no electric range bands (every car of 1-50 g/km is 18%) and a maximum of 38%; the table
  is checked at every CO2 figure, petrol and diesel, against the law's own statement of it.

It stops with an error when a year breaks one of these expectations.
"""
import json
import re
import sys

FIRST_YEAR, LAST_YEAR = 2003, 2029
CLASSIC_CAR_VALUE = "classic_car"
TRANSITIONAL = {2021: 2, 2022: 1}


def fail(message):
    sys.exit("make_car_benefit_limits: " + message)


def band_search(bands, value):
    """The entry a value falls in: the last whose successor's bound it has not reached."""
    index = 0
    while index + 1 < len(bands) and value >= bands[index + 1][0]:
        index += 1
    return bands[index][1]


def co2_bands(year, entry):
    bands = [list(b) for b in entry["bands"]]
    maximum = entry["max_percent"]
    supplement = entry["diesel_supplement"]
    if year <= 2006:
        threshold = entry["lower_threshold_gkm"]
        if bands[1][0] != threshold + 5 or bands[0][1] != bands[1][1] - 1:
            fail(f"{year}: the lowest band does not end 5 g/km above the lower threshold")
        bands.insert(1, [threshold, bands[0][1]])
    if year == 2011:
        if bands[0] != [0, 0] or bands[3][0] != 121:
            fail("2011: expected a 0 g/km band before the 121 g/km threshold")
        bands = [[0, bands[1][1]]] + bands[2:]
    if len(bands) > 31:
        fail(f"{year}: {len(bands)} CO2 bands do not fit the record's 31")
    if any(a[0] >= b[0] for a, b in zip(bands, bands[1:])):
        fail(f"{year}: CO2 bands are not in ascending order")
    return [[bound, pct, max(0, min(supplement, maximum - pct))] for bound, pct in bands]


def check_transitional(year, entry):
    """With the library's addition, the newer cars' tables give the older cars' published ones."""
    add = TRANSITIONAL[year]
    older, older_range = entry["bands_registered_before_2020_04_06"], entry["electric_range_bands_registered_before_2020_04_06"]
    for co2 in range(1, 301):
        for miles in (0, 29, 30, 39, 40, 69, 70, 129, 130, 500):
            if 1 <= co2 <= 50:
                newer, expected = band_search(entry["electric_range_bands"], miles), band_search(older_range, miles)
            else:
                newer, expected = band_search(entry["bands"], co2), band_search(older, co2)
            if min(newer + add, entry["max_percent"]) != expected:
                fail(f"{year}: {co2} g/km, {miles} miles: {newer} + {add} is not the older cars' {expected}")


# What the library does with a year's table: the band's percentage (the electric range decides for
# 1-50 g/km while range bands exist), plus the band's diesel supplement, within the year's maximum.
def library_percentage(bands, co2, diesel, maximum):
    index = 0
    while index + 1 < len(bands) and co2 >= bands[index + 1][0]:
        index += 1
    bound, pct, supplement = bands[index]
    return min(pct + (supplement if diesel else 0), maximum)


def check_2029(entry, bands):
    """FA 2025 s5 for 2028-29: 0 g/km 7%; 1-50 g/km 18%; 51-54 19%, 55-59 20%, 60-64 21%, 65-74 22%;
    from 75 g/km 22% plus 1 for each full 5 g/km above 75; diesel 4 more; never more than 38%."""
    if entry.get("electric_range_bands"):
        fail("2029: the electric range bands end in 2028-29")
    maximum = entry["max_percent"]
    if maximum != 38 or entry["zero_emission_percent"] != 7:
        fail("2029: expected a maximum of 38% and 7% for zero emission")
    for co2 in range(0, 401):
        if co2 == 0:
            published = 7
        elif co2 <= 50:
            published = 18
        elif co2 < 75:
            published = 19 if co2 < 55 else 20 if co2 < 60 else 21 if co2 < 65 else 22
        else:
            published = 22 + (co2 - 75) // 5
        for diesel in (False, True):
            expected = min(published + (entry["diesel_supplement"] if diesel else 0), maximum)
            if library_percentage(bands, co2, diesel, maximum) != expected:
                fail(f"2029: {co2} g/km{' diesel' if diesel else ''}: the table gives "
                     f"{library_percentage(bands, co2, diesel, maximum)}, the law {expected}")


def notes_of(entry):
    notes = []
    for key in ("status_note", "diesel_supplement_rule", "zero_emission_note", "registration_split_note",
                "electric_range_rule", "formula_from_75", "phev_easement_note"):
        if entry.get(key):
            notes.append(entry[key])
    adjustments = entry.get("alternative_fuel_adjustments")
    if isinstance(adjustments, dict):
        notes.append("Alternative fuels: " + "; ".join(f"{k} {v}" for k, v in adjustments.items()))
    elif adjustments:
        notes.append("Alternative fuels: " + adjustments)
    if entry.get("qualec"):
        notes.append(f"Qualifying low emission cars: {entry['qualec']['percent']}% up to "
                     f"{entry['qualec']['max_co2_unrounded_gkm']} g/km ({entry['qualec']['note']})")
    scale = entry.get("fuel_scale")
    if scale and scale.get("note"):
        notes.append("Fuel scale charges: " + scale["note"])
    return notes


def status_of(year, entry):
    """The source marks 2028-29 as collected beyond the years first asked for; its figures are
    legislated (FA 2025 s5) and only the fuel multiplier is missing, as in 2027-28."""
    if entry["status"] == "extra_outside_requested_range":
        return "confirmed_with_caveat"
    return entry["status"]


def year_record(year, entry, sources):
    limits = {
        "flatPercentage": 0,
        "priceCap": entry["price_cap"] or 0,
        "contributionCap": entry["capital_contribution_cap"],
        "replacementPriceThreshold": entry[CLASSIC_CAR_VALUE]["min_market_value"],
        "fuelScaleOther": 0, "fuelScaleDieselSmall": 0, "fuelScaleDieselLarge": 0,
        "fuelScalePetrolSmall": 0, "fuelScalePetrolMedium": 0, "fuelScalePetrolLarge": 0,
        "mileageReduction1": 0, "mileageReduction2": 0, "olderCarAge": 0, "olderCarReduction": 0,
        "fuelMultiplier": entry["fuel_multiplier"],
        "co2Bands": co2_bands(year, entry),
        "electricRangeBands": [list(b) for b in (entry.get("electric_range_bands") or [])],
    }
    derived = ["co2Bands: [lower bound g/km, percentage, diesel supplement]; the supplement is "
               f"{entry['diesel_supplement']} points, limited to the maximum of {entry['max_percent']}%."]
    scale = entry.get("fuel_scale")
    if year < 2004:
        if not scale:
            fail(f"{year}: no fuel scale charges")
        limits.update(fuelScaleOther=scale["no_reciprocating_engine"], fuelScaleDieselSmall=scale["diesel_up_to_2000cc"],
                      fuelScaleDieselLarge=scale["diesel_over_2000cc"], fuelScalePetrolSmall=scale["petrol_up_to_1400cc"],
                      fuelScalePetrolMedium=scale["petrol_1401_to_2000cc"], fuelScalePetrolLarge=scale["petrol_over_2000cc"])
        limits["fuelMultiplier"] = 0
        derived.append("Fuel: the scale charges by engine size apply; there is no fuel multiplier before 2003-04.")
    elif limits["fuelMultiplier"] is None:
        derived.append("fuelMultiplier: not yet published; it loads as 0 and is reported as unpublished.")
    if year <= 2006:
        derived.append(f"co2Bands: the second entry repeats the lowest band at the lower threshold of "
                       f"{entry['lower_threshold_gkm']} g/km, from which the alternative-fuel discounts count.")
    if year == 2011:
        derived.append("co2Bands: the 0 g/km band is left out (zero-emission cars take their fixed 0%), so the "
                       "third entry is the 121 g/km threshold of the alternative-fuel discounts.")
    if year in TRANSITIONAL:
        check_transitional(year, entry)
        derived.append(f"co2Bands and electricRangeBands: cars first registered from 6 April 2020; earlier cars "
                       f"pay {TRANSITIONAL[year]} more (the library adds it), which gives the published older-car tables.")
    if year == 2029:
        check_2029(entry, limits["co2Bands"])
        derived.append("2028-29: no electric range bands; every car of 1-50 g/km takes the 1 g/km band (18%), and "
                       "the library caps every car at 38% (37% from 2020-21 to 2027-28).")
    if limits["priceCap"] == 0:
        derived.append("priceCap: none from 2011-12.")
    derived.append("replacementPriceThreshold: the classic-car market value of 15,000 pounds (ITEPA 2003 s147).")
    if len(limits["electricRangeBands"]) > 8:
        fail(f"{year}: too many electric range bands")
    return {
        "label": entry["tax_year_label"],
        "status": status_of(year, entry),
        "sources": [{"ref": ref, "url": sources.get(ref.split(" ")[0], "")} for ref in entry["sources"]],
        "notes": notes_of(entry) + derived,
        "limits": limits,
    }


def main():
    if len(sys.argv) != 3:
        fail("usage: make_car_benefit_limits.py SOURCE.json OUTPUT.json")
    with open(sys.argv[1], encoding="utf-8") as f:
        source = json.load(f)
    years = {}
    for year in range(FIRST_YEAR, LAST_YEAR + 1):
        entry = source["years"].get(str(year))
        if entry is None:
            fail(f"{year}: missing from the source")
        years[str(year)] = year_record(year, entry, source["sources"])
    output = {
        "about": "Statutory company car and car fuel benefit limits by tax year (2025 = 2024-25), as the "
                 "qarntash host program loads them into TLD_0501_CAR_LIMITS. Built by "
                 "make_car_benefit_limits.py from HMRC's published figures (Employment Income Manual, the 480 "
                 "guide's Appendix 2, the Finance Acts); each year lists the sources it was read from. "
                 "A year whose status is not 'confirmed' has gaps, given in its notes. A null figure is "
                 "not yet published.",
        "years": years,
    }
    text = json.dumps(output, indent=1, ensure_ascii=False)
    # Each band on one line: [lower bound, percentage, supplement].
    text = re.sub(r"\[\s*(-?[\d.]+(?:,\s*-?[\d.]+)*)\s*\]",
                  lambda m: "[" + ", ".join(v.strip() for v in m.group(1).split(",")) + "]", text)
    with open(sys.argv[2], "w", encoding="utf-8") as f:
        f.write(text + "\n")


if __name__ == "__main__":
    main()
