// File: qarntash/transfer/tax_avoidance.h
//
// Tax avoidance scheme records: for each client, the schemes it has used, each with the scheme's
// reference number, a sequence number, the tax year (tax year N runs from 6 April N-1 to
// 5 April N) and the year in which the tax advantage arises. The host programs fill and store
// these records; the library only supplies the value classes, the persistence state that every
// record carries, and a container for one client's records.
//
// Persistence state (RecordStatus): -1 undefined (a new record's state), 0 unchanged, 1 edited,
// 2 for deletion, 3 new. Any state may follow any other. A record is valid unless it is undefined
// or marked for deletion; a state outside -1..3 counts as valid.
//
// The container (TaxAvoidanceContainer) holds pointers to records in the order added. Only a
// container derived by the host program adds records (Add is protected). Remove destroys the
// record it removes; the container's destructor does not destroy the records still in it: they
// belong to the derived container that added them, which should destroy them through Remove.
//
// Copies of a container share one list: a record added or removed through any of them is seen
// by all, and the list is freed with the last container that uses it. (Duplicating the list
// would leave a copy holding a record that another copy's Remove had destroyed.)
//
// These classes carry a string, so unlike the transfer units they keep the compiler's natural
// layout; host programs reach their fields only through the accessors.
//
// Usage:
//   TaxAvoidanceData_Common record(client, 2022);
//   record.SetRef("12345678");
//   record.SetStatusNew();
//   record.IsValid();                  // true
//   record.IsDataInCurrentYear(2022);  // true
#pragma once

#include <cstdint>

#include "platform/lbw_string.h"
#include "platform/types.h"
#include "qarntash/export.h"

class QARNTASH_API RecordStatus {
 public:
  enum PersistentStatus : std::int32_t {
    Undefined = -1,
    Unchanged = 0,
    Edited = 1,
    ForDeletion = 2,
    New = 3,
  };

  RecordStatus();  // undefined
  explicit RecordStatus(PersistentStatus status);
  RecordStatus(const RecordStatus&) = default;
  RecordStatus& operator=(const RecordStatus&) = default;
  virtual ~RecordStatus();

  void SetStatusUndefined() { m_Status = Undefined; }
  void SetStatusUnchanged() { m_Status = Unchanged; }
  void SetStatusEdited() { m_Status = Edited; }
  void SetStatusDeleted() { m_Status = ForDeletion; }
  void SetStatusNew() { m_Status = New; }

  bool IsStatusUndefined() const { return m_Status == Undefined; }
  bool IsStatusUnchanged() const { return m_Status == Unchanged; }
  bool IsStatusEdited() const { return m_Status == Edited; }
  bool IsStatusForDeletion() const { return m_Status == ForDeletion; }
  bool IsStatusNew() const { return m_Status == New; }

  // False when undefined or marked for deletion, true for every other state.
  bool IsValid() const;

 private:
  PersistentStatus m_Status;
};

// A scheme record of a client: its reference and sequence number.
class QARNTASH_API TaxAvoidanceData_Base : public RecordStatus {
 public:
  // Undefined, with an empty reference and sequence number 0.
  explicit TaxAvoidanceData_Base(const PMCO_INT_REF& client);
  TaxAvoidanceData_Base(const TaxAvoidanceData_Base&) = default;
  TaxAvoidanceData_Base& operator=(const TaxAvoidanceData_Base&) = default;
  ~TaxAvoidanceData_Base() override;

  const PMCO_INT_REF& GetClient() const { return m_Client; }
  // A copy: changing it leaves the record unchanged.
  cLBW_STRING GetRef() const { return m_Ref; }
  void SetRef(const cLBW_STRING& ref) { m_Ref = ref; }
  long GetSequenceNumber() const { return m_SequenceNumber; }
  void SetSequenceNumber(long sequenceNumber) { m_SequenceNumber = sequenceNumber; }

 private:
  PMCO_INT_REF m_Client;
  cLBW_STRING m_Ref;
  long m_SequenceNumber;
};

// A scheme record with the tax year it belongs to and the year the advantage arises.
class QARNTASH_API TaxAvoidanceData_Common : public TaxAvoidanceData_Base {
 public:
  // As the base, for tax year `taxYear`; the year the advantage arises starts at 0.
  TaxAvoidanceData_Common(const PMCO_INT_REF& client, long taxYear);
  TaxAvoidanceData_Common(const TaxAvoidanceData_Common&) = default;
  TaxAvoidanceData_Common& operator=(const TaxAvoidanceData_Common&) = default;
  ~TaxAvoidanceData_Common() override;

  long GetTaxYear() const { return m_TaxYear; }
  void SetTaxYear(long taxYear) { m_TaxYear = taxYear; }
  long GetYearInWhichAdvantageArises() const { return m_YearInWhichAdvantageArises; }
  void SetYearInWhichAdvantageArises(long year) { m_YearInWhichAdvantageArises = year; }

  // True exactly when `year` is the record's tax year.
  bool IsDataInCurrentYear(long year) const { return year == m_TaxYear; }

 private:
  long m_TaxYear;
  long m_YearInWhichAdvantageArises;
};

// One client's scheme records. See the top of this file for who owns the records and how copies
// share the list.
class QARNTASH_API TaxAvoidanceContainer {
 public:
  explicit TaxAvoidanceContainer(const PMCO_INT_REF& client);
  // The copy shares the source's list.
  TaxAvoidanceContainer(const TaxAvoidanceContainer& other);
  // Takes the other's client, leaves this container's list (freed if no other container uses it)
  // and shares the other's.
  TaxAvoidanceContainer& operator=(const TaxAvoidanceContainer& other);
  // Frees the list if no other container uses it; destroys no record.
  virtual ~TaxAvoidanceContainer();

  int Size() const;

  // For 0 <= index < Size(): puts the record in *out and gives true. Otherwise puts null in *out
  // and gives false. A null `out` gives false.
  bool Get(int index, TaxAvoidanceData_Base** out) const;

  // For 0 <= index < Size(): destroys the record and closes the gap (later records move down by
  // one). Any other index does nothing.
  void Remove(int index);
  // Destroys the record and closes its gap if the list holds it; otherwise (null, or not in the
  // list) does nothing.
  void Remove(TaxAvoidanceData_Base* record);

  const PMCO_INT_REF& GetClient() const { return m_Client; }

 protected:
  // Appends `record`; the list holds it from then on. A null record, or one the list already
  // holds, is not added: a second slot would destroy the record twice.
  void Add(TaxAvoidanceData_Base* record);

 private:
  // The records and a count of the containers that share them.
  struct RecordList;
  void LeaveList();

  RecordList* m_Records;  // never null
  PMCO_INT_REF m_Client;
};

// The host programs' access to stored scheme records. The library gives it no state and no
// operations of its own.
class QARNTASH_API TaxAvoidanceDataAccess {
 public:
  TaxAvoidanceDataAccess();
  TaxAvoidanceDataAccess(const TaxAvoidanceDataAccess&);
  TaxAvoidanceDataAccess& operator=(const TaxAvoidanceDataAccess&);
  virtual ~TaxAvoidanceDataAccess();
};
