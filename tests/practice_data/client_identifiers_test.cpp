#include "qarntash/practice_data/client_identifiers.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "platform/practice_tables.h"
#include "platform/record_store.h"
#include "platform/store_faults.h"
#include "support/demo_practice_fixture.h"
#include "support/practice_folder.h"

namespace {

class ClientIdentifiers : public test_support::DemoPracticeTest {};

TEST_F(ClientIdentifiers, ConvertBothWaysAndNameTheFilesSafely) {
  const struct { const char* id; PMCO_INT_REF reference; const char* file_name; } cases[] = {
      {"AB/12:X", {2, 2004}, "AB_12_X"},         {"HIGH?ST.", {2, 2003}, "HIGH_ST."},
      {"A.B", {2, 2006}, "A.B"},                 {"CON", {2, 2005}, "_CON"},
      {"..", {2, 2007}, "__"},                   {"PARKER&SON", {2, 2008}, "PARKER&SON"},
      {"lowcase", {2, 2009}, "lowcase"},         {"SMITHJ", {1, 1001}, "SMITHJ"},
  };
  for (const auto& c : cases) {
    PMCO_INT_REF reference{9, 9};
    ASSERT_TRUE(GetRefFromVisibleID(c.id, reference)) << c.id;
    EXPECT_EQ(reference, c.reference) << c.id;
    cLBW_STRING id;
    std::string standard_id;
    cLBW_STRING file_name;
    EXPECT_TRUE(GetVisibleIDFromRef(c.reference, id));
    EXPECT_TRUE(GetVisibleIDFromRef(c.reference, standard_id));
    EXPECT_TRUE(GetFileNameFromRef(c.reference, file_name));
    EXPECT_EQ(id.str(), c.id);
    EXPECT_EQ(standard_id, c.id);
    EXPECT_EQ(file_name.str(), c.file_name) << c.id;
  }
}

TEST_F(ClientIdentifiers, ALongerIdIsLookedForByItsFirstTenCharacters) {
  PMCO_INT_REF reference{};
  EXPECT_TRUE(GetRefFromVisibleID("PARKER&SONS LTD", reference));
  EXPECT_EQ(reference, (PMCO_INT_REF{2, 2008}));
  EXPECT_FALSE(GetRefFromVisibleID("LOWCASE", reference));  // IDs are compared as stored
}

TEST_F(ClientIdentifiers, WhatIsNotFoundLeavesTheOutputAsItWas) {
  const PMCO_INT_REF unknown[] = {{2, 2999}, {3, 2004}, {2, 0}};
  for (const PMCO_INT_REF& reference : unknown) {
    cLBW_STRING id("kept"), file_name("kept");
    std::string standard_id("kept");
    EXPECT_FALSE(GetVisibleIDFromRef(reference, id));
    EXPECT_FALSE(GetVisibleIDFromRef(reference, standard_id));
    EXPECT_FALSE(GetFileNameFromRef(reference, file_name));
    EXPECT_EQ(id.str(), "kept");
    EXPECT_EQ(standard_id, "kept");
    EXPECT_EQ(file_name.str(), "kept");
  }
  PMCO_INT_REF reference{9, 9};
  EXPECT_FALSE(GetRefFromVisibleID("NOBODY", reference));
  EXPECT_FALSE(GetRefFromVisibleID("", reference));
  EXPECT_EQ(reference, (PMCO_INT_REF{9, 9}));
}

TEST_F(ClientIdentifiers, ATableThatDoesNotOpenOrReadFindsNothing) {
  for (const int operation : {platform::kStoreOpenOperation, static_cast<int>(BTR_GET_EQUAL)}) {
    const int status = operation == platform::kStoreOpenOperation ? BTR_FILE_NOT_FOUND : BTR_IO_ERROR;
    cLBW_STRING text("kept");
    PMCO_INT_REF reference{9, 9};
    {
      platform::StoreFaults faults;
      faults.fail_next(operation, status);
      EXPECT_FALSE(GetVisibleIDFromRef({2, 2004}, text));
    }
    {
      platform::StoreFaults faults;
      faults.fail_next(operation, status);
      EXPECT_FALSE(GetFileNameFromRef({2, 2004}, text));
    }
    {
      platform::StoreFaults faults;
      faults.fail_next(operation, status);
      EXPECT_FALSE(GetRefFromVisibleID("AB/12:X", reference));
    }
    EXPECT_EQ(text.str(), "kept");
    EXPECT_EQ(reference, (PMCO_INT_REF{9, 9}));
  }
}

// Stored records that the demo practice does not hold: an ID that fills its field with no
// terminator, and an empty ID.
TEST(ClientIdentifiersStored, AnUnterminatedIdGivesTenCharactersAndAnEmptyIdNoFileName) {
  test_support::PracticeFolder practice({"ZORV1005.TTL"});
  zorv1005_rec full{};
  std::memset(full.client_id, 'Q', sizeof full.client_id);
  full.client_type = 2;
  full.client_number = 77;
  ASSERT_EQ(practice.insert("ZORV1005.TTL", full), 0);
  zorv1005_rec empty{};
  empty.client_type = 2;
  empty.client_number = 78;
  ASSERT_EQ(practice.insert("ZORV1005.TTL", empty), 0);

  std::string id;
  EXPECT_TRUE(GetVisibleIDFromRef({2, 77}, id));
  EXPECT_EQ(id, "QQQQQQQQQQ");
  cLBW_STRING file_name("kept");
  EXPECT_TRUE(GetFileNameFromRef({2, 77}, file_name));
  EXPECT_EQ(file_name.str(), "QQQQQQQQQQ");

  EXPECT_TRUE(GetVisibleIDFromRef({2, 78}, id));
  EXPECT_EQ(id, "");
  file_name = "kept";
  EXPECT_FALSE(GetFileNameFromRef({2, 78}, file_name));
  EXPECT_EQ(file_name.str(), "kept");
}

}  // namespace
