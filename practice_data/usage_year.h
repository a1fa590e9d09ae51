// The default year of the usage counts.
#pragma once

namespace practice_data_internal {

// The year in which the 1 April to 31 March year holding day `today` began: the calendar year
// from 1 April, the year before until then.
int usage_year_of(long today);
// The same for today's date.
int current_usage_year();

}  // namespace practice_data_internal
