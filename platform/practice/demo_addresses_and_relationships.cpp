// The demo practice's addresses, address links and relationships.
#include "demo_practice_parts.h"
#include "platform/practice_management.h"

namespace platform::demo {

namespace {

constexpr std::int32_t kMainAddress = 1;    // address kind of a party's main address
constexpr std::int16_t kMainContact = 0x10;  // contact flag: the main contact number

struct DemoAddress {
  std::int32_t client_number;
  const char* lines[4];
  const char* postcode;
  const char* phone;
  const char* email;
};

// A business that is related to a client but is not a client of the practice itself.
constexpr std::int32_t kNonClientBusiness = 2099;
// A first address line of the field's full width (41 characters, no terminator).
constexpr char kFullWidthLine[] = "Kingsway Bank House, 1-3 Kingsway Gardens";
static_assert(sizeof kFullWidthLine == 42, "a line of the full width of its field");

const DemoAddress kAddresses[] = {
    {1001, {"12 Mill Lane", "Hebden", "Skipton", "North Yorkshire"}, "BD23 5DX", "01756 752000", "john.smith@example.co.uk"},
    {1002, {"Flat 3", "41 Queen Street", "Cardiff", ""}, "CF10 2GQ", "029 2034 5678", "mary.jones@example.co.uk"},
    {1003, {"7 The Green", "Ashby", "Leicester", ""}, "LE65 1AB", "01530 412345", ""},
    {1004, {"Rose Cottage", "Church Road", "Ludlow", "Shropshire"}, "SY8 1AA", "", ""},
    {2001, {"Unit 4", "Canal Wharf", "Leeds", ""}, "LS11 5PS", "0113 243 1111", "office@acmejoinery.example"},
    {2002, {"18 High Street", "Newport", "", ""}, "NP20 1FX", "01633 256789", "accounts@greens.example"},
    {5001, {"c/o 12 Mill Lane", "Hebden", "Skipton", ""}, "BD23 5DX", "", ""},
    {5002, {"c/o Moss & Co", "2 Castle Street", "Swansea", ""}, "SA1 1JF", "01792 654321", ""},
    {7501, {"1 Kingsway", "London", "", ""}, "WC2B 6XF", "020 7946 0000", ""},
    {7502, {"2 Castle Street", "Swansea", "", ""}, "SA1 1JF", "01792 654321", "post@mosslaw.example"},
    {kNonClientBusiness, {"Units 1-2", "Forces Post", "", ""}, "BFPO 12345", "", ""},
};

// John Smith's letters go to his main address, but he is to be rung at work: his address link
// names an override address (sequence 2) whose contacts replace those of the main address.
int write_override_address(RowWriter<ZORV1008_REC>& addresses) {
  ZORV1008_REC row{};
  row.owner_type = 1;
  row.owner_number = 1001;
  row.address_kind = kMainAddress;
  row.sequence = 2;
  ZORV1008_TLD contacts{};
  put_text(contacts.line1, "Skipton Auction Mart");
  put_text(contacts.postcode, "BD23 1UD");
  put_text(contacts.contacts[0].number, "07700 900123");
  put_text(contacts.contacts[0].description, "Mobile");
  put_text(contacts.contacts[1].number, "01756 700111");
  put_text(contacts.contacts[1].description, "Work");
  contacts.contact_flags[1] = kMainContact;
  put_text(contacts.emails[0].address, "j.smith@auctionmart.example");
  return addresses.insert(row, contacts);
}

std::uint8_t type_of(std::int32_t client_number) {
  if (client_number == kNonClientBusiness) return 2;
  for (const DemoClient* client = demo_practice_clients(); client->client_id != nullptr; ++client) {
    if (client->client_number == client_number) return client->client_type;
  }
  return 0;
}

int write_addresses(const std::string& folder) {
  RowWriter<ZORV1008_REC> addresses(folder);
  RowWriter<ZORV1009_REC> links(folder);
  for (const DemoAddress& address : kAddresses) {
    ZORV1008_REC row{};
    row.owner_type = type_of(address.client_number);
    row.owner_number = address.client_number;
    row.address_kind = kMainAddress;
    row.sequence = 1;
    ZORV1008_TLD lines{};
    put_text(lines.line1, address.lines[0]);
    if (address.client_number == 7501) std::memcpy(lines.line1, kFullWidthLine, sizeof lines.line1);
    put_text(lines.line2, address.lines[1]);
    put_text(lines.line3, address.lines[2]);
    put_text(lines.line4, address.lines[3]);
    put_text(lines.postcode, address.postcode);
    put_text(lines.contacts[0].number, address.phone);
    if (*address.phone != '\0') {
      put_text(lines.contacts[0].description, "Main");
      lines.contact_flags[0] = kMainContact;
    }
    put_text(lines.emails[0].address, address.email);
    if (const int status = addresses.insert(row, lines); status != 0) return status;

    ZORV1009_REC link{};
    link.owner_type = row.owner_type;
    link.owner_number = row.owner_number;
    link.address_kind = kMainAddress;
    link.link_kind = 1;
    ZORV1009_TLD target{};
    target.linked_address = 1;
    target.override_address = address.client_number == 1001 ? 2 : 0;
    if (const int status = links.insert(link, target); status != 0) return status;
  }
  return write_override_address(addresses);
}

// Each branch's default address (the branch's main address: kind 8, sequence 0) and the address
// of its tax agent (the agent's own, under the agent kind 10), as platform/practice_management.h
// keeps them.
int write_branch_addresses(const std::string& folder) {
  struct BranchAddress {
    std::uint8_t owner_type;
    std::int32_t branch;
    std::int32_t kind;
    const char* lines[3];
    const char* postcode;
  };
  const BranchAddress addresses[] = {
      {kPmBranchPartyType, 1, 8, {"Skipton Office", "3 Otley Street", "Skipton"}, "BD23 1DY"},
      {kPmBranchPartyType, 2, 8, {"Cardiff Office", "10 Quay Street", "Cardiff"}, "CF10 1EA"},
      {kPmBranchPartyType, 3, 8, {"York Office", "5 Stonegate", "York"}, "YO1 8AW"},
      {kPmAgentPartyType, 1, 10, {"Agent House", "22 High Street", "Skipton"}, "BD23 1JZ"},
      {kPmAgentPartyType, 2, 10, {"Bay Chambers", "West Bute Street", "Cardiff"}, "CF10 5LJ"},
      {kPmAgentPartyType, 3, 10, {"Minster Yard", "Deangate", "York"}, "YO1 7JA"},
  };
  RowWriter<ZORV1008_REC> table(folder);
  return insert_each(table, addresses, [](RowWriter<ZORV1008_REC>& writer, const BranchAddress& address) {
    ZORV1008_REC row{};
    row.owner_type = address.owner_type;
    row.owner_number = address.branch;
    row.address_kind = address.kind;
    ZORV1008_TLD lines{};
    put_text(lines.line1, address.lines[0]);
    put_text(lines.line2, address.lines[1]);
    put_text(lines.line3, address.lines[2]);
    put_text(lines.postcode, address.postcode);
    return writer.insert(row, lines);
  });
}

// Relationship kinds of the demo: 1 trustee, 2 beneficiary, 3 partner, 4 settlor.
int write_relationships(const std::string& folder) {
  struct Relationship {
    std::uint8_t owner_type;
    std::int32_t owner;
    std::uint8_t kind;
    std::int32_t related;
    std::int32_t start;
    std::int32_t share;  // hundredths of a per cent
  };
  const Relationship relationships[] = {
      {5, 5001, 1, 1001, day(1, 6, 2010), 0},     {5, 5001, 2, 1002, day(1, 6, 2010), 5000},
      {5, 5001, 2, 1003, day(1, 6, 2010), 5000},  {5, 5001, 4, 1004, day(1, 6, 2010), 0},
      {5, 5002, 1, 7502, day(12, 2, 2016), 0},    {5, 5002, 2, 1002, day(12, 2, 2016), 10000},
      {2, 2001, 3, 1001, day(1, 5, 2015), 6000},  {2, 2001, 3, 1003, day(6, 4, 2019), 4000},
      // The Hart Family Trust's other trustees: a bank, a business client and a business that
      // is not a client; Robert Evans, who has died, was also a beneficiary.
      {5, 5001, 1, 7501, day(1, 6, 2010), 0},     {5, 5001, 1, 2001, day(3, 3, 2014), 0},
      {5, 5001, 1, kNonClientBusiness, day(9, 9, 2019), 0},
      {5, 5001, 2, 1004, day(1, 6, 2010), 0},
  };
  RowWriter<ZORV1371_REC> table(folder);
  std::int32_t next_number = 1;
  return insert_each(table, relationships, [&](RowWriter<ZORV1371_REC>& writer, const Relationship& link) {
    ZORV1371_REC row{};
    row.owner_type = link.owner_type;
    row.owner_number = link.owner;
    row.kind = link.kind;
    row.related_type = type_of(link.related);
    row.related_number = link.related;
    row.relationship_number = next_number++;
    ZORV1371_TLD period{};
    period.start_date = link.start;
    period.share = link.share;
    return writer.insert(row, period);
  });
}

}  // namespace

int write_addresses_and_relationships(const std::string& folder) {
  return write_in_turn(folder, {write_addresses, write_branch_addresses, write_relationships});
}

}  // namespace platform::demo
