// The parties related to a client and their names, IDs, addresses and dates: see
// qarntash/practice_data/related_parties.h.
#include "qarntash/practice_data/related_parties.h"

#include <climits>
#include <cstring>

#include "platform/address_services.h"
#include "platform/practice/clients.h"
#include "platform/practice/dates_and_periods.h"
#include "platform/practice/practice_table.h"
#include "related_address_files.h"

using practice_data_internal::AddressFile;

namespace {

constexpr const char* kSourceFile = "TaxSharedLib_001";
constexpr std::uint8_t kTrustOwnerType = 5;
constexpr std::uint8_t kOtherPartyType = 75;
constexpr std::int16_t kMainContactFlag = 0x10;
constexpr std::size_t kPostcodeLength = 8;

// The data path that a copy of the configuration names; empty names the configured one.
const char* data_path_of(const TK_CONF& conf) { return conf.data_path[0] != '\0' ? conf.data_path : nullptr; }

// Copies the text of `from` (which need not hold a NUL) into `to`, cut to leave room for the NUL.
template <std::size_t To, std::size_t From>
void copy_text(char (&to)[To], const char (&from)[From]) {
  const std::size_t length = strnlen(from, From < To ? From : To - 1);
  std::memcpy(to, from, length);
  std::memset(to + length, 0, To - length);
}

#pragma pack(push, 1)
struct DatedEventKey {           // zorv1426.ttl key 3
  std::uint8_t party_type;
  std::int32_t party_number;
  std::int16_t event_code;
  std::int16_t sub_code;
  std::int32_t date;
  std::int32_t event_number;
};
#pragma pack(pop)
static_assert(sizeof(DatedEventKey) == 17, "DatedEventKey");

// The dated-event code of an address change for a party of `type`; 0 for none.
std::int16_t address_change_event(std::uint8_t type) {
  switch (type) {
    case 1:
    case kOtherPartyType: return 8;
    case 2: return 7;
    case kTrustOwnerType: return 9;
    default: return 0;
  }
}

}  // namespace

// ---- classRelated ----

classRelated::classRelated(long clientNumber, TK_CONF conf) : m_clientNumber(clientNumber), m_conf(conf) {
  open_table();
}

classRelated::~classRelated() { _btclose(&m_relationships, kSourceFile, __LINE__, 1); }

classRelated::classRelated(const classRelated& other) : m_clientNumber(other.m_clientNumber), m_conf(other.m_conf) {
  open_table();
}

classRelated& classRelated::operator=(const classRelated& other) {
  if (this == &other) return *this;
  _btclose(&m_relationships, kSourceFile, __LINE__, 1);
  m_clientNumber = other.m_clientNumber;
  m_conf = other.m_conf;
  open_table();
  return *this;
}

void classRelated::open_table() {
  if (_btopen(&m_relationships, 0, 0, 527, 15, data_path_of(m_conf), "zorv1371.ttl", kRecordStoreAccessWord, 0,
              kSourceFile, __LINE__, 1) != BTR_OK) {
    m_relationships = nullptr;
  }
}

bool classRelated::getFirst(ZORV1371_KEYBUF& key, long kind, ZORV1371_TLD* tld) {
  key.owner_type = kTrustOwnerType;
  key.owner_number = static_cast<std::int32_t>(m_clientNumber);
  key.kind = static_cast<std::uint8_t>(kind);
  return get(BTR_GET_GREATER_OR_EQUAL, key, kind, tld);
}

bool classRelated::getNext(ZORV1371_KEYBUF& key, long kind, ZORV1371_TLD* tld) {
  return get(BTR_GET_GREATER, key, kind, tld);
}

bool classRelated::get(int operation, ZORV1371_KEYBUF& key, long kind, ZORV1371_TLD* tld) {
  if (tld != nullptr) *tld = ZORV1371_TLD{};
  // A client number or kind that the key cannot hold would match another owner's records.
  if (m_clientNumber < 1 || m_clientNumber > INT32_MAX || kind < 0 || kind > UINT8_MAX) return false;
  platform::PracticeTable<ZORV1371_REC> relationships(kSourceFile, data_path_of(m_conf));
  relationships.set_key(key);
  const bool read = relationships.read(operation, 2).ok();
  ZORV1371_KEYBUF found{};
  std::memcpy(&found, relationships.fa()->key_buffer(), sizeof found);
  const bool ours = read && found.owner_type == kTrustOwnerType && found.owner_number == m_clientNumber &&
                    found.kind == static_cast<std::uint8_t>(kind);
  if (ours && tld != nullptr) *tld = relationships.tld();
  if (read) key = found;  // the next step goes on from the record found
  return ours;
}

// ---- classRelatedNameAddress ----

classRelatedNameAddress::classRelatedNameAddress(long clientNumber, long recordType, TK_CONF conf)
    : m_recordType(recordType), m_conf(conf) {
  m_walker = new classRelated(clientNumber, m_conf);
  OpenAddressFiles();
}

classRelatedNameAddress::classRelatedNameAddress(PMCO_INT_REF& party, TK_CONF conf) : m_conf(conf) {
  m_key.related_type = party.type;
  m_key.related_number = party.number;
  OpenAddressFiles();
}

classRelatedNameAddress::~classRelatedNameAddress() {
  delete m_walker;
  release_address_files();
}

classRelatedNameAddress::classRelatedNameAddress(const classRelatedNameAddress& other)
    : m_recordType(other.m_recordType),
      m_walker(other.m_walker != nullptr ? new classRelated(*other.m_walker) : nullptr),
      m_key(other.m_key),
      m_conf(other.m_conf) {
  OpenAddressFiles();
}

classRelatedNameAddress& classRelatedNameAddress::operator=(const classRelatedNameAddress& other) {
  if (this == &other) return *this;
  classRelated* walker = other.m_walker != nullptr ? new classRelated(*other.m_walker) : nullptr;
  delete m_walker;
  m_walker = walker;
  m_recordType = other.m_recordType;
  m_key = other.m_key;
  m_conf = other.m_conf;
  release_address_files();
  OpenAddressFiles();
  return *this;
}

void classRelatedNameAddress::OpenAddressFiles() {
  release_address_files();
  const char* path = data_path_of(m_conf);
  m_openedAddresses = practice_data_internal::acquire_address_file(AddressFile::kAddresses, path);
  m_openedLinks = practice_data_internal::acquire_address_file(AddressFile::kLinks, path);
  m_openedOverrides = practice_data_internal::acquire_address_file(AddressFile::kOverrides, path);
}

void classRelatedNameAddress::release_address_files() {
  if (m_openedAddresses) practice_data_internal::release_address_file(AddressFile::kAddresses);
  if (m_openedLinks) practice_data_internal::release_address_file(AddressFile::kLinks);
  if (m_openedOverrides) practice_data_internal::release_address_file(AddressFile::kOverrides);
  m_openedAddresses = m_openedLinks = m_openedOverrides = false;
}

PMCO_INT_REF classRelatedNameAddress::current_party() const { return {m_key.related_type, m_key.related_number}; }

void classRelatedNameAddress::clear_party() {
  m_key.related_type = 0;
  m_key.related_number = 0;
  m_key.rest = 0;
}

bool classRelatedNameAddress::getFirst(ZORV1371_TLD* tld) {
  if (m_walker == nullptr) return false;  // an object of one party keeps answering for it
  clear_party();                          // a second walk starts from the first party again
  if (m_walker->getFirst(m_key, m_recordType, tld)) return true;
  clear_party();
  return false;
}

bool classRelatedNameAddress::getNext(ZORV1371_TLD* tld) {
  if (m_walker == nullptr || current_party().number == 0) return false;  // no walk under way
  if (m_walker->getNext(m_key, m_recordType, tld)) return true;
  clear_party();
  return false;
}

long classRelatedNameAddress::getRecordType() { return m_recordType; }

bool classRelatedNameAddress::getPMCO_INT_REF(PMCO_INT_REF* reference) {
  if (reference == nullptr || current_party().number == 0) return false;
  *reference = current_party();
  return true;
}

bool classRelatedNameAddress::getName(char* name) {
  if (name == nullptr || current_party().number == 0) return false;
  const char* text = pmcl013_noncl_name(current_party());
  const std::size_t length = strnlen(text, kRelatedNameLength);
  std::memcpy(name, text, length);
  name[length] = '\0';
  return true;
}

bool classRelatedNameAddress::getID(char* id) {
  if (id == nullptr) return false;
  id[0] = '\0';
  const PMCO_INT_REF party = current_party();
  if (party.number == 0) return false;
  if (party.type == kOtherPartyType) return true;
  platform::PracticeTable<zorv1005_rec> clients(kSourceFile, data_path_of(m_conf));
  if (clients.find(1, party).ok()) {
    char visible_id[11];
    copy_text(visible_id, clients.record().client_id);
    std::memcpy(id, visible_id, sizeof visible_id);
  }
  return true;
}

bool classRelatedNameAddress::getAddress(ADDRESS* address, ZORV1008_TLD* full) {
  if (address == nullptr) return false;
  *address = ADDRESS{};
  const PMCO_INT_REF party = current_party();
  if (party.number == 0) return false;

  practice_data_internal::AddressBuffers& buffers = practice_data_internal::address_buffers();
  buffers = practice_data_internal::AddressBuffers{};
  using practice_data_internal::address_file_fields;
  using practice_data_internal::address_file_handle;
  ADAC001_REQUEST request{};
  request.party = party;
  request.address_kind = 8;
  request.main = {address_file_handle(AddressFile::kAddresses), 16, address_file_fields(AddressFile::kAddresses)};
  request.link = {address_file_handle(AddressFile::kLinks), 15, address_file_fields(AddressFile::kLinks)};
  request.override_address = {address_file_handle(AddressFile::kOverrides), 16,
                              address_file_fields(AddressFile::kOverrides)};
  if (adac001_get_one_address(&request, 1) != 0) return false;

  const ZORV1008_TLD& found = buffers.address;
  copy_text(address->line1, found.line1);
  copy_text(address->line2, found.line2);
  copy_text(address->line3, found.line3);
  copy_text(address->line4, found.line4);
  copy_text(address->line5, found.line5);
  const std::size_t postcode_length = strnlen(found.postcode, kPostcodeLength);
  std::memcpy(address->postcode, found.postcode, postcode_length);
  if (full == nullptr) return true;

  *full = found;
  if (adac001_is_address_contact_override_feature_enabled() != 0 && buffers.link.override_address > 0 &&
      adac001_get_one_address_override(&request, 1) == 0) {
    const ZORV1008_TLD& override_address = buffers.override_address;
    for (int i = 0; i < 8; ++i) {
      copy_text(full->contacts[i].number, override_address.contacts[i].number);
      copy_text(full->contacts[i].description, override_address.contacts[i].description);
      full->contact_flags[i] = override_address.contact_flags[i];
      copy_text(full->emails[i].address, override_address.emails[i].address);
      copy_text(full->emails[i].description, override_address.emails[i].description);
      full->email_flags[i] = override_address.email_flags[i];
    }
  }
  for (int i = 0; i < 8; ++i) {
    if ((full->contact_flags[i] & kMainContactFlag) != 0) {
      copy_text(address->contact_number, full->contacts[i].number);
      break;
    }
  }
  return true;
}

bool classRelatedNameAddress::getDateOfDeath(long& date) {
  const PMCO_INT_REF party = current_party();
  if (party.number == 0) return false;
  if (party.type == 1) {
    platform::PracticeTable<ZORV1101_REC> individuals(kSourceFile, data_path_of(m_conf));
    if (!individuals.find(0, std::int32_t{party.number}).ok()) return false;
    date = individuals.record().date_of_death;
    return true;
  }
  if (party.type == kOtherPartyType) {
    // Other parties do not die: a party that exists has no date of death.
    platform::PracticeTable<ZORV1012_REC> parties(kSourceFile, data_path_of(m_conf));
    if (parties.find(1, std::int32_t{party.number}).ok()) date = 0;
  }
  return false;
}

bool classRelatedNameAddress::getDateOfLastAddressChange(long& date, int subcode) {
  date = 0;
  const PMCO_INT_REF party = current_party();
  if (party.number == 0 || subcode < INT16_MIN || subcode > INT16_MAX) return false;
  const DatedEventKey wanted{party.type, party.number, address_change_event(party.type),
                             static_cast<std::int16_t>(subcode), INT32_MAX, 0};
  platform::PracticeTable<ZORV1426_REC> events(kSourceFile, data_path_of(m_conf));
  events.set_key(wanted);
  if (!events.read(BTR_GET_LESS, 3).ok()) return false;
  DatedEventKey found{};
  std::memcpy(&found, events.fa()->key_buffer(), sizeof found);
  if (found.party_type != wanted.party_type || found.party_number != wanted.party_number ||
      found.event_code != wanted.event_code || found.sub_code != wanted.sub_code) {
    return false;
  }
  date = events.record().date;
  return true;
}

bool classRelatedNameAddress::getDateOfLastAddressChange(long& date) {
  switch (current_party().type) {
    case 1:
    case kOtherPartyType: return getDateOfLastAddressChange(date, 23) || getDateOfLastAddressChange(date, 1);
    case 2: return getDateOfLastAddressChange(date, 13);
    case kTrustOwnerType: return getDateOfLastAddressChange(date, 1);
    default: date = 0; return false;
  }
}
