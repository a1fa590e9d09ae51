#include "qarntash/transfer/tax_avoidance.h"

#include <algorithm>
#include <vector>

RecordStatus::RecordStatus() : m_Status(Undefined) {}

RecordStatus::RecordStatus(PersistentStatus status) : m_Status(status) {}

RecordStatus::~RecordStatus() = default;

bool RecordStatus::IsValid() const { return m_Status != ForDeletion && m_Status != Undefined; }

TaxAvoidanceData_Base::TaxAvoidanceData_Base(const PMCO_INT_REF& client)
    : m_Client(client), m_SequenceNumber(0) {}

TaxAvoidanceData_Base::~TaxAvoidanceData_Base() = default;

TaxAvoidanceData_Common::TaxAvoidanceData_Common(const PMCO_INT_REF& client, long taxYear)
    : TaxAvoidanceData_Base(client), m_TaxYear(taxYear), m_YearInWhichAdvantageArises(0) {}

TaxAvoidanceData_Common::~TaxAvoidanceData_Common() = default;

struct TaxAvoidanceContainer::RecordList {
  std::vector<TaxAvoidanceData_Base*> records;
  long containers = 1;  // how many containers use this list
};

TaxAvoidanceContainer::TaxAvoidanceContainer(const PMCO_INT_REF& client)
    : m_Records(new RecordList), m_Client(client) {}

TaxAvoidanceContainer::TaxAvoidanceContainer(const TaxAvoidanceContainer& other)
    : m_Records(other.m_Records), m_Client(other.m_Client) {
  ++m_Records->containers;
}

TaxAvoidanceContainer& TaxAvoidanceContainer::operator=(const TaxAvoidanceContainer& other) {
  // Join the other's list before leaving ours: they may be the same list.
  ++other.m_Records->containers;
  LeaveList();
  m_Records = other.m_Records;
  m_Client = other.m_Client;
  return *this;
}

TaxAvoidanceContainer::~TaxAvoidanceContainer() { LeaveList(); }

void TaxAvoidanceContainer::LeaveList() {
  if (--m_Records->containers == 0) delete m_Records;
}

int TaxAvoidanceContainer::Size() const { return static_cast<int>(m_Records->records.size()); }

bool TaxAvoidanceContainer::Get(int index, TaxAvoidanceData_Base** out) const {
  if (out == nullptr) return false;
  if (index < 0 || index >= Size()) {
    *out = nullptr;
    return false;
  }
  *out = m_Records->records[static_cast<std::size_t>(index)];
  return true;
}

void TaxAvoidanceContainer::Remove(int index) {
  if (index < 0 || index >= Size()) return;
  const auto slot = m_Records->records.begin() + index;
  TaxAvoidanceData_Base* record = *slot;
  // Out of the list first, so that no container sharing it can reach the record while it dies.
  m_Records->records.erase(slot);
  delete record;
}

void TaxAvoidanceContainer::Remove(TaxAvoidanceData_Base* record) {
  if (record == nullptr) return;
  const auto slot = std::find(m_Records->records.begin(), m_Records->records.end(), record);
  if (slot == m_Records->records.end()) return;
  m_Records->records.erase(slot);
  delete record;
}

void TaxAvoidanceContainer::Add(TaxAvoidanceData_Base* record) {
  if (record == nullptr) return;
  std::vector<TaxAvoidanceData_Base*>& records = m_Records->records;
  if (std::find(records.begin(), records.end(), record) != records.end()) return;
  records.push_back(record);
}

TaxAvoidanceDataAccess::TaxAvoidanceDataAccess() = default;
TaxAvoidanceDataAccess::TaxAvoidanceDataAccess(const TaxAvoidanceDataAccess&) = default;
TaxAvoidanceDataAccess& TaxAvoidanceDataAccess::operator=(const TaxAvoidanceDataAccess&) = default;
TaxAvoidanceDataAccess::~TaxAvoidanceDataAccess() = default;
