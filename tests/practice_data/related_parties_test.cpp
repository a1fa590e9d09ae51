#include "qarntash/practice_data/related_parties.h"

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/address_services.h"
#include "platform/dates.h"
#include "platform/store_faults.h"
#include "support/demo_practice_fixture.h"

namespace {

class RelatedParties : public test_support::DemoPracticeTest {
 protected:
  void SetUp() override {
    DemoPracticeTest::SetUp();
    config_read_conf010(&conf_);
  }
  // The parties of a walk, as "type:number".
  std::vector<std::string> walk(long owner, long kind) {
    classRelatedNameAddress parties(owner, kind, conf_);
    std::vector<std::string> found;
    ZORV1371_TLD period{};
    for (bool step = parties.getFirst(&period); step; step = parties.getNext(&period)) {
      PMCO_INT_REF party{};
      EXPECT_TRUE(parties.getPMCO_INT_REF(&party));
      found.push_back(std::to_string(party.type) + ":" + std::to_string(party.number));
    }
    return found;
  }
  // An object that answers for one party.
  classRelatedNameAddress party(std::uint8_t type, std::int32_t number) {
    PMCO_INT_REF reference{type, number};
    return classRelatedNameAddress(reference, conf_);
  }
  TK_CONF conf_{};
};

using Parties = std::vector<std::string>;

TEST_F(RelatedParties, WalkEachKindOfOneOwnerAndStopAtItsNeighbour) {
  const struct { long owner, kind; Parties parties; } cases[] = {
      {5001, 1, {"1:1001", "2:2001", "2:2099", "75:7501"}},  // individual, business client and not, other party
      {5001, 2, {"1:1002", "1:1003", "1:1004"}},
      {5001, 3, {}},                                         // none of this kind
      {5001, 4, {"1:1004"}},                                 // the owner's last kind: 5002's follow
      {5002, 1, {"75:7502"}},
      {5002, 2, {"1:1002"}},
      {2001, 3, {}},                                         // a business's partners: owners are trusts
      {5003, 1, {}},                                         // no such owner
      {5001, 257, {}},                                       // a kind no key byte holds (257 would be 1)
  };
  for (const auto& c : cases) EXPECT_EQ(walk(c.owner, c.kind), c.parties) << c.owner << " kind " << c.kind;
}

TEST_F(RelatedParties, AnEndedWalkDescribesNoPartyAndASecondWalkStartsAgain) {
  classRelatedNameAddress settlors(5001, 4, conf_);
  EXPECT_EQ(settlors.getRecordType(), 4);
  ZORV1371_TLD period{};
  ASSERT_TRUE(settlors.getFirst(&period));
  EXPECT_EQ(+period.start_date, fp_builddate(1, 6, 2010));
  EXPECT_FALSE(settlors.getNext(&period));  // the next record is 5002's trustee, Moss & Co
  char name[kRelatedNameLength + 1] = "kept";
  char id[11] = "kept";
  PMCO_INT_REF reference{9, 9};
  ADDRESS address;
  std::memset(&address, 'x', sizeof address);
  long date = 99;
  EXPECT_FALSE(settlors.getName(name));
  EXPECT_FALSE(settlors.getID(id));
  EXPECT_STREQ(id, "");
  EXPECT_FALSE(settlors.getPMCO_INT_REF(&reference));
  EXPECT_FALSE(settlors.getAddress(&address, nullptr));
  EXPECT_EQ(address.line1[0], '\0');
  EXPECT_FALSE(settlors.getDateOfDeath(date));
  EXPECT_FALSE(settlors.getNext(&period));  // and the walk stays ended

  ASSERT_TRUE(settlors.getFirst(&period));  // a second walk: Robert Evans again
  ASSERT_TRUE(settlors.getName(name));
  EXPECT_STREQ(name, "Mr Robert Evans");
}

TEST_F(RelatedParties, NamesAndIdsOfEachKindOfParty) {
  const struct { std::uint8_t type; std::int32_t number; const char* name; const char* id; } cases[] = {
      {1, 1001, "Mr John Smith", "SMITHJ"}, {2, 2001, "ACMEJOIN", "ACMEJOIN"},
      {2, 2099, "", ""},  // a business that is not a client
      {75, 7501, "Kingsway Bank plc", ""},
  };
  for (const auto& c : cases) {
    classRelatedNameAddress one = party(c.type, c.number);
    EXPECT_EQ(one.getRecordType(), 0);
    ZORV1371_TLD period{};
    EXPECT_FALSE(one.getFirst(&period));  // no walker
    char name[kRelatedNameLength + 1];
    char id[11] = "kept";
    ASSERT_TRUE(one.getName(name));
    ASSERT_TRUE(one.getID(id));
    EXPECT_STREQ(name, c.name);
    EXPECT_STREQ(id, c.id);
  }
}

TEST_F(RelatedParties, AddressesAreCutToTheirFieldsAndTakeTheOverrideContact) {
  struct Case {
    std::int32_t number;
    std::uint8_t type;
    bool full;
    bool override_feature;
    const char* line1;
    const char* postcode;
    const char* contact;
  };
  const Case cases[] = {
      {7501, 75, false, true, "Kingsway Bank House, 1-3 Kingsway Garden", "WC2B 6XF", ""},  // 41 stored, no NUL
      {2099, 2, true, true, "Units 1-2", "BFPO 123", ""},                                    // a postcode of 10
      {1001, 1, true, true, "12 Mill Lane", "BD23 5DX", "01756 700111"},  // the override's flagged contact
      {1001, 1, true, false, "12 Mill Lane", "BD23 5DX", "01756 752000"},  // the feature off: the main one
      {1002, 1, true, true, "Flat 3", "CF10 2GQ", "029 2034 5678"},  // after 1001: nothing of its override left
  };
  for (const Case& c : cases) {
    platform::set_address_contact_override_feature(c.override_feature);
    classRelatedNameAddress one = party(c.type, c.number);
    ADDRESS address;
    std::memset(&address, 'x', sizeof address);
    ZORV1008_TLD full{};
    ASSERT_TRUE(one.getAddress(&address, c.full ? &full : nullptr)) << c.number;
    EXPECT_STREQ(address.line1, c.line1) << c.number;
    EXPECT_STREQ(address.postcode, c.postcode) << c.number;
    EXPECT_STREQ(address.contact_number, c.contact) << c.number;
    if (c.number == 1002) {
      EXPECT_STREQ(full.contacts[1].number, "") << "a contact of John Smith's override";
    }
  }
  platform::set_address_contact_override_feature(true);
}

TEST_F(RelatedParties, AFailedAddressRequestFillsNothing) {
  classRelatedNameAddress smith = party(1, 1001);
  ADDRESS address;
  std::memset(&address, 'x', sizeof address);
  ZORV1008_TLD full{};
  std::strcpy(full.line1, "kept");
  platform::StoreFaults faults;
  faults.fail_next(BTR_GET_EQUAL, BTR_IO_ERROR);
  EXPECT_FALSE(smith.getAddress(&address, &full));
  EXPECT_EQ(address.line1[0], '\0');
  EXPECT_EQ(address.contact_number[0], '\0');
  EXPECT_STREQ(full.line1, "kept");
}

TEST_F(RelatedParties, TheAddressFilesStayOpenWhileAnyObjectHoldsThem) {
  ADDRESS address{};
  auto* first = new classRelatedNameAddress(5001, 1, conf_);  // opens the shared files
  classRelatedNameAddress second = party(1, 1002);            // finds them open
  delete first;
  ASSERT_TRUE(second.getAddress(&address, nullptr));
  EXPECT_STREQ(address.line2, "41 Queen Street");
}

TEST_F(RelatedParties, CopiesWalkAndReadOnTheirOwn) {
  auto* original = new classRelatedNameAddress(5001, 2, conf_);
  ZORV1371_TLD period{};
  ASSERT_TRUE(original->getFirst(&period));
  classRelatedNameAddress copy(*original);
  classRelatedNameAddress assigned(5002, 1, conf_);
  assigned = *original;
  delete original;  // the copies keep their own walkers and handles
  for (classRelatedNameAddress* walker : {&copy, &assigned}) {
    ASSERT_TRUE(walker->getNext(&period));
    char name[kRelatedNameLength + 1];
    ASSERT_TRUE(walker->getName(name));
    EXPECT_STREQ(name, "Ms Anita Patel");
    ADDRESS address{};
    EXPECT_TRUE(walker->getAddress(&address, nullptr));
  }
}

TEST_F(RelatedParties, DatesOfDeathAndOfTheLastAddressChange) {
  struct Case {
    std::uint8_t type;
    std::int32_t number;
    bool death_known;
    long death;
    bool moved_known;
    long moved;
  };
  const Case cases[] = {
      {1, 1004, true, fp_builddate(14, 1, 2023), true, fp_builddate(30, 8, 2015)},  // the later of two moves
      {1, 1002, true, 0, true, fp_builddate(2, 2, 2022)},  // sub-code 23 before sub-code 1
      {1, 1001, true, 0, true, fp_builddate(1, 7, 2021)},  // no 23: falls back to 1
      {1, 1003, true, 0, false, 0},
      {75, 7502, false, 0, true, fp_builddate(4, 4, 2017)},
      {2, 2001, false, 99, true, fp_builddate(3, 3, 2020)},
      {5, 5001, false, 99, true, fp_builddate(20, 9, 2022)},
      {1, 1999, false, 99, false, 0},  // no such individual
  };
  for (const Case& c : cases) {
    classRelatedNameAddress one = party(c.type, c.number);
    long death = 99;
    long moved = 99;
    EXPECT_EQ(one.getDateOfDeath(death), c.death_known) << c.number;
    EXPECT_EQ(death, c.death) << c.number;
    EXPECT_EQ(one.getDateOfLastAddressChange(moved), c.moved_known) << c.number;
    EXPECT_EQ(moved, c.moved) << c.number;
  }
}

TEST_F(RelatedParties, AFailedStepEndsTheWalkWithNoParty) {
  classRelatedNameAddress beneficiaries(5001, 2, conf_);
  ZORV1371_TLD period{};
  ASSERT_TRUE(beneficiaries.getFirst(&period));
  platform::StoreFaults faults;
  faults.fail_next(BTR_GET_GREATER, BTR_IO_ERROR);
  EXPECT_FALSE(beneficiaries.getNext(&period));
  char name[kRelatedNameLength + 1];
  EXPECT_FALSE(beneficiaries.getName(name));
  EXPECT_EQ(+period.share, 0);
}

}  // namespace
