#include "qarntash/transfer/tax_avoidance.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

const PMCO_INT_REF kClient{1, 4711};

// ----- persistence state -----

TEST(RecordStatus, EachSetterMakesExactlyItsOwnPredicateTrue) {
  using Setter = void (RecordStatus::*)();
  using Predicate = bool (RecordStatus::*)() const;
  const struct {
    const char* state;
    Setter set;
    Predicate is;
    bool valid;
  } states[] = {
      {"undefined", &RecordStatus::SetStatusUndefined, &RecordStatus::IsStatusUndefined, false},
      {"unchanged", &RecordStatus::SetStatusUnchanged, &RecordStatus::IsStatusUnchanged, true},
      {"edited", &RecordStatus::SetStatusEdited, &RecordStatus::IsStatusEdited, true},
      {"for deletion", &RecordStatus::SetStatusDeleted, &RecordStatus::IsStatusForDeletion, false},
      {"new", &RecordStatus::SetStatusNew, &RecordStatus::IsStatusNew, true},
  };
  // From every state to every other: nothing refuses a transition.
  for (const auto& from : states) {
    for (const auto& to : states) {
      RecordStatus status;
      (status.*from.set)();
      (status.*to.set)();
      for (const auto& other : states) {
        EXPECT_EQ((status.*other.is)(), &other == &to) << from.state << " -> " << to.state;
      }
      EXPECT_EQ(status.IsValid(), to.valid) << to.state;
    }
  }
}

TEST(RecordStatus, StartsUndefinedAndValidityFollowsTheStateValue) {
  EXPECT_TRUE(RecordStatus().IsStatusUndefined());
  EXPECT_FALSE(RecordStatus().IsValid());
  const struct {
    int value;
    bool valid;
  } cases[] = {{-1, false}, {0, true}, {1, true}, {2, false}, {3, true}, {4, true}, {-2, true}, {99, true}};
  for (const auto& c : cases) {
    const RecordStatus status(static_cast<RecordStatus::PersistentStatus>(c.value));
    EXPECT_EQ(status.IsValid(), c.valid) << c.value;
    const RecordStatus copy(status);
    EXPECT_EQ(copy.IsValid(), c.valid) << c.value;
  }
}

// ----- records -----

TEST(SchemeRecord, StartsUndefinedWithNoReferenceAndTheGivenYear) {
  const TaxAvoidanceData_Common record(kClient, 2022);
  EXPECT_TRUE(record.IsStatusUndefined());
  EXPECT_EQ(record.GetClient(), kClient);
  EXPECT_STREQ(record.GetRef().c_str(), "");
  EXPECT_EQ(record.GetSequenceNumber(), 0);
  EXPECT_EQ(record.GetTaxYear(), 2022);
  EXPECT_EQ(record.GetYearInWhichAdvantageArises(), 0);
  EXPECT_TRUE(record.IsDataInCurrentYear(2022));
  EXPECT_FALSE(record.IsDataInCurrentYear(2021));
  EXPECT_FALSE(record.IsDataInCurrentYear(2023));
}

TEST(SchemeRecord, ACopyHasItsOwnReferenceAndEveryField) {
  TaxAvoidanceData_Common original(kClient, 2022);
  original.SetRef("12345678");
  original.SetSequenceNumber(3);
  original.SetYearInWhichAdvantageArises(2020);
  original.SetStatusEdited();

  TaxAvoidanceData_Common copy(original);
  TaxAvoidanceData_Common assigned(PMCO_INT_REF{5, 1}, 1999);
  assigned = original;
  for (TaxAvoidanceData_Common* record : {&copy, &assigned}) {
    EXPECT_EQ(record->GetClient(), kClient);
    EXPECT_STREQ(record->GetRef().c_str(), "12345678");
    EXPECT_EQ(record->GetSequenceNumber(), 3);
    EXPECT_EQ(record->GetTaxYear(), 2022);
    EXPECT_EQ(record->GetYearInWhichAdvantageArises(), 2020);
    EXPECT_TRUE(record->IsStatusEdited());
    record->SetRef("99999999");
  }
  EXPECT_STREQ(original.GetRef().c_str(), "12345678");

  cLBW_STRING reference = original.GetRef();
  reference += "-X";
  EXPECT_STREQ(original.GetRef().c_str(), "12345678") << "GetRef gives a copy";
}

// ----- the container -----

// A host's container: it adds records and, when it ends, destroys those still in its list.
class ClientSchemes : public TaxAvoidanceContainer {
 public:
  using TaxAvoidanceContainer::TaxAvoidanceContainer;
  ClientSchemes(const ClientSchemes&) = default;
  ~ClientSchemes() override {
    while (Size() > 0) Remove(0);
  }
  TaxAvoidanceData_Common* add(long sequence_number) {
    auto* record = new TaxAvoidanceData_Common(GetClient(), 2022);
    record->SetSequenceNumber(sequence_number);
    Add(record);
    return record;
  }
  using TaxAvoidanceContainer::Add;
};

// The sequence numbers of the records in list order.
std::string sequence_of(const TaxAvoidanceContainer& container) {
  std::string text;
  for (int i = 0; i < container.Size(); ++i) {
    TaxAvoidanceData_Base* record = nullptr;
    if (!container.Get(i, &record) || record == nullptr) return text + "?";
    text += std::to_string(record->GetSequenceNumber());
  }
  return text;
}

TEST(SchemeContainer, GivesRecordsByIndexAndNullOutsideTheList) {
  ClientSchemes schemes(kClient);
  EXPECT_EQ(schemes.GetClient(), kClient);
  EXPECT_EQ(schemes.Size(), 0);
  TaxAvoidanceData_Base* out = reinterpret_cast<TaxAvoidanceData_Base*>(&schemes);
  EXPECT_FALSE(schemes.Get(0, &out));
  EXPECT_EQ(out, nullptr);

  TaxAvoidanceData_Common* first = schemes.add(1);
  TaxAvoidanceData_Common* second = schemes.add(2);
  EXPECT_EQ(schemes.Size(), 2);
  ASSERT_TRUE(schemes.Get(0, &out));
  EXPECT_EQ(out, first);
  ASSERT_TRUE(schemes.Get(1, &out));
  EXPECT_EQ(out, second);
  for (int index : {-1, 2, -2147483647 - 1, 2147483647}) {
    out = first;
    EXPECT_FALSE(schemes.Get(index, &out)) << index;
    EXPECT_EQ(out, nullptr) << index;
  }
  EXPECT_FALSE(schemes.Get(0, nullptr));
}

TEST(SchemeContainer, RemovingByIndexClosesTheGapAndIgnoresIndexesOutside) {
  ClientSchemes schemes(kClient);
  schemes.add(1);
  schemes.add(2);
  schemes.add(3);
  schemes.Remove(-1);
  schemes.Remove(3);
  EXPECT_EQ(sequence_of(schemes), "123");
  schemes.Remove(1);
  EXPECT_EQ(schemes.Size(), 2);
  EXPECT_EQ(sequence_of(schemes), "13");
  schemes.Remove(1);  // the last
  EXPECT_EQ(sequence_of(schemes), "1");
  schemes.Remove(0);  // the first and only
  EXPECT_EQ(schemes.Size(), 0);
  schemes.Remove(0);
  EXPECT_EQ(schemes.Size(), 0);
}

TEST(SchemeContainer, RemovingByRecordFindsItOrDoesNothing) {
  ClientSchemes schemes(kClient);
  schemes.add(1);
  TaxAvoidanceData_Common* second = schemes.add(2);
  schemes.add(3);
  TaxAvoidanceData_Common stranger(kClient, 2022);
  schemes.Remove(&stranger);
  schemes.Remove(static_cast<TaxAvoidanceData_Base*>(nullptr));
  EXPECT_EQ(sequence_of(schemes), "123");
  schemes.Remove(second);
  EXPECT_EQ(sequence_of(schemes), "13");
}

TEST(SchemeContainer, RefusesANullRecordOrOneItAlreadyHolds) {
  ClientSchemes schemes(kClient);
  TaxAvoidanceData_Common* record = schemes.add(1);
  schemes.Add(record);  // a second slot would destroy it twice
  schemes.Add(nullptr);
  EXPECT_EQ(sequence_of(schemes), "1");
}

TEST(SchemeContainer, CopiesShareOneListSoNoneHoldsARemovedRecord) {
  auto owner = std::make_unique<ClientSchemes>(kClient);
  owner->add(1);
  owner->add(2);
  TaxAvoidanceContainer copy(*owner);
  TaxAvoidanceContainer assigned(PMCO_INT_REF{1, 9});
  assigned = copy;
  EXPECT_EQ(assigned.GetClient(), kClient);

  assigned.Remove(0);  // destroys record 1 for every container sharing the list
  EXPECT_EQ(sequence_of(*owner), "2");
  EXPECT_EQ(sequence_of(copy), "2");
  owner->add(3);
  EXPECT_EQ(sequence_of(assigned), "23");

  // The owner destroys the rest as it ends; the copies, still alive, see an empty list.
  owner.reset();
  EXPECT_EQ(copy.Size(), 0);
  EXPECT_EQ(assigned.Size(), 0);
}

TEST(SchemeContainer, AssignmentFreesAListNoOtherContainerUses) {
  ClientSchemes schemes(kClient);
  schemes.add(1);
  TaxAvoidanceContainer alone(PMCO_INT_REF{1, 9});
  alone = schemes;  // its own empty list is freed here (a leak would show under the sanitizers)
  const TaxAvoidanceContainer& same = alone;
  alone = same;
  alone = schemes;
  EXPECT_EQ(sequence_of(alone), "1");
}

// A host's container that leaves its records to whoever made them.
class BorrowingSchemes : public TaxAvoidanceContainer {
 public:
  using TaxAvoidanceContainer::Add;
  using TaxAvoidanceContainer::TaxAvoidanceContainer;
};

TEST(SchemeContainer, EndingFreesTheListButNotTheRecordsInIt) {
  TaxAvoidanceData_Common record(kClient, 2022);
  {
    BorrowingSchemes schemes(kClient);
    schemes.Add(&record);
    TaxAvoidanceContainer copy(schemes);
    EXPECT_EQ(copy.Size(), 1);
  }  // destroying the record here would free a stack object under the sanitizers
  record.SetRef("still here");
  EXPECT_STREQ(record.GetRef().c_str(), "still here");

  TaxAvoidanceDataAccess access;
  TaxAvoidanceDataAccess copied(access);
  copied = access;
}

}  // namespace
