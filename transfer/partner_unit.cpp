#include "qarntash/transfer/partner_unit.h"

#include <algorithm>
#include <memory>
#include <new>
#include <vector>

#include "library/allocation_fault.h"
#include "platform/errors.h"

// The periods the unit owns, in the order added. Kept behind a pointer so that the packed unit
// holds a plain pointer field, never a library object at an unaligned address.
struct DTU_Partner::PeriodList {
  std::vector<std::unique_ptr<DTU_Partner_AP>> periods;

  bool holds(const DTU_Partner_AP* period) const {
    return std::any_of(periods.begin(), periods.end(), [period](const auto& held) { return held.get() == period; });
  }
};

namespace {

// The codes that tell the three list failures apart in the report.
enum RefreshFailure { kAddWithoutListOrPeriod = 0, kReadWithoutList = 1, kCreateFailed = 2 };

void report_refresh_failed(RefreshFailure code, int line) {
  _exgen_error(code, "Refresh failed", 0, "DTU_Partner", line);
}

#define QARNTASH_COPY_FIELD_(type, name) m_##name = other.m_##name;

}  // namespace

DTU_Partner_AP::DTU_Partner_AP() = default;

DTU_Partner_AP::DTU_Partner_AP(long accountPeriod)
    : m_AccountPeriod(static_cast<std::int32_t>(accountPeriod)) {}

DTU_Partner_AP::DTU_Partner_AP(const DTU_Partner_AP& other) = default;

DTU_Partner_AP& DTU_Partner_AP::operator=(DTU_Partner_AP& other) {
  QARNTASH_PARTNER_PERIOD_FIELDS(QARNTASH_COPY_FIELD_, )
  m_AccountPeriod = other.m_AccountPeriod;
  QARNTASH_PARTNER_PERIOD_FLAGS(QARNTASH_COPY_FIELD_, )
  return *this;
}

DTU_Partner_AP::~DTU_Partner_AP() = default;

DTU_Partner::DTU_Partner(const PMCO_INT_REF& source, const PMCO_INT_REF& destination, long taxYear)
    : DTU(source, destination, taxYear), m_AccountPeriods(qarntash::detail::new_or_null<PeriodList>()) {}

DTU_Partner::DTU_Partner(const DTU_Partner& other) : DTU(other), m_AccountPeriods(nullptr) {
  QARNTASH_PARTNER_FIELDS(QARNTASH_COPY_FIELD_, )
  if (other.m_AccountPeriods == nullptr) return;

  // Whole or not at all: a copy that lacks some periods would pass on wrong figures silently,
  // whereas a copy with no list reports on every use.
  std::unique_ptr<PeriodList> copy(qarntash::detail::new_or_null<PeriodList>());
  if (!copy) return;
  for (const auto& period : other.m_AccountPeriods->periods) {
    std::unique_ptr<DTU_Partner_AP> duplicate(qarntash::detail::new_or_null<DTU_Partner_AP>(*period));
    if (!duplicate) return;
    copy->periods.push_back(std::move(duplicate));
  }
  m_AccountPeriods = copy.release();
}

DTU_Partner::~DTU_Partner() { delete m_AccountPeriods; }

DTU_Partner_AP* DTU_Partner::createAccountPeriod(unsigned long accountPeriod) const {
  DTU_Partner_AP* period = qarntash::detail::new_or_null<DTU_Partner_AP>(static_cast<long>(accountPeriod));
  if (period == nullptr) report_refresh_failed(kCreateFailed, __LINE__);
  return period;
}

void DTU_Partner::addPeriodData(DTU_Partner_AP* period) {
  // A period the unit already owns would be deleted twice if it were given a second place.
  if (m_AccountPeriods == nullptr || period == nullptr || m_AccountPeriods->holds(period)) {
    report_refresh_failed(kAddWithoutListOrPeriod, __LINE__);
    return;
  }
  // If growing the list runs out of memory, the period is not taken and stays the caller's.
  m_AccountPeriods->periods.emplace_back(period);
}

bool DTU_Partner::getPeriod(unsigned long index, DTU_Partner_AP& out) const {
  if (m_AccountPeriods == nullptr) {
    report_refresh_failed(kReadWithoutList, __LINE__);
    return false;
  }
  if (index >= m_AccountPeriods->periods.size()) return false;
  DTU_Partner_AP* period = m_AccountPeriods->periods[index].get();
  if (period == nullptr) return false;
  out = *period;
  return true;
}
