// A host program that sees only the umbrella headers.
#include <cstdio>

#include "platform/platform.h"
#include "qarntash/qarntash.h"

int main() {
  const long date = fp_builddate(6, 4, 2021);
  if (CDateToolKit::GetTaxYear(date) != 2022) return 1;
  char text[kJuldateTextSize];
  std::printf("%s is in tax year %ld\n", juldate_to_text(static_cast<int>(date), text, 1),
              CDateToolKit::GetTaxYear(date));
  return 0;
}
