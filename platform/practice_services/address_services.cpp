// The address and name services: see platform/address_services.h.
#include "platform/address_services.h"

#include <atomic>
#include <cstring>
#include <string>

#include "platform/practice/addresses_and_relationships.h"
#include "platform/practice/clients.h"
#include "platform/practice/practice_table.h"

namespace {

constexpr std::int32_t kMainAddressKind = 1;
constexpr std::int16_t kAddressLink = 1;
constexpr const char* kCallTag = "adac001_get_one_address";

std::atomic<bool> contact_override_enabled{true};

#pragma pack(push, 1)
struct LinkKey {                 // ZORV1009.TTL key 0
  std::uint8_t owner_type;
  std::int32_t owner_number;
  std::int32_t address_kind;
  std::int16_t link_kind;
};
struct AddressKey {              // ZORV1008.TTL key 0
  std::uint8_t owner_type;
  std::int32_t owner_number;
  std::int32_t address_kind;
  std::int32_t sequence;
  char reserved[3];
};
#pragma pack(pop)
static_assert(sizeof(LinkKey) == 11 && sizeof(AddressKey) == 16, "address keys");

// Get equal on key 0 of `table` for `key` (cut to the handle's key length), then unpacks the
// record into `fields`. 0 or the status.
template <class Key>
int read_tagged(const ADAC001_TABLE& table, const Key& key, int report) {
  if (table.handle == nullptr) return BTR_FILE_NOT_OPEN;
  btrv_fcb* handle = table.handle;
  if (handle->key_length < static_cast<int>(sizeof key)) return BTR_KEY_BUFFER_TOO_SHORT;
  std::memset(handle->key_buffer, 0, static_cast<std::size_t>(handle->key_length));
  std::memcpy(handle->key_buffer, &key, sizeof key);
  const int status = _bt(BTR_GET_EQUAL, handle, 0, kCallTag, __LINE__, 0);
  if (status == BTR_OK) {
    if (table.fields == nullptr) return BTR_OK;
    return get_fac(table.fields, handle, handle->key_length);
  }
  if (report != 0 && status != BTR_KEY_NOT_FOUND) BTError(handle, kCallTag, 0, 3112);
  return status;
}

// The party's link for the requested kind, else for its main address, unpacked into the link
// fields (cleared first, so that no link reads as zeros). 0 or the status.
int read_link(const ADAC001_REQUEST& request, int report) {
  if (request.link.fields != nullptr) clear_fac(request.link.fields);
  for (const std::int32_t kind : {request.address_kind, kMainAddressKind}) {
    const LinkKey key{request.party.type, request.party.number, kind, kAddressLink};
    const int status = read_tagged(request.link, key, report);
    if (status != BTR_KEY_NOT_FOUND) return status;
  }
  return BTR_KEY_NOT_FOUND;
}

// The link's value of `tag` (101 the address, 102 the override), read from the link fields.
std::int32_t link_value(const ADAC001_REQUEST& request, std::int32_t tag) {
  if (request.link.fields == nullptr) return 0;
  for (const FAC_ENTRY* field = request.link.fields; field->field != -1; ++field) {
    if (field->field == tag && field->length >= 4 && field->destination != nullptr) {
      std::int32_t value = 0;
      std::memcpy(&value, field->destination, sizeof value);
      return value;
    }
  }
  return 0;
}

int read_address(const ADAC001_TABLE& table, PMCO_INT_REF party, std::int32_t sequence, int report) {
  if (table.fields != nullptr) clear_fac(table.fields);
  const AddressKey key{party.type, party.number, kMainAddressKind, sequence, {}};
  return read_tagged(table, key, report);
}

}  // namespace

namespace platform {
void set_address_contact_override_feature(bool enabled) { contact_override_enabled = enabled; }
}  // namespace platform

extern "C" {

int adac001_get_one_address(ADAC001_REQUEST* request, int report) {
  if (request == nullptr) return 1;
  const int link_status = read_link(*request, report);
  if (link_status != BTR_OK && link_status != BTR_KEY_NOT_FOUND) return link_status;
  const std::int32_t linked = link_value(*request, 101);
  return read_address(request->main, request->party, linked > 0 ? linked : 1, report);
}

int adac001_get_one_address_override(ADAC001_REQUEST* request, int report) {
  if (request == nullptr) return 1;
  const int link_status = read_link(*request, report);
  if (link_status != BTR_OK) return link_status;
  const std::int32_t override_sequence = link_value(*request, 102);
  if (override_sequence <= 0) return BTR_KEY_NOT_FOUND;
  return read_address(request->override_address, request->party, override_sequence, report);
}

int adac001_is_address_contact_override_feature_enabled() { return contact_override_enabled ? 1 : 0; }

const char* pmcl013_noncl_name(PMCO_INT_REF party) {
  thread_local std::string name;
  name.clear();
  const auto field = [](const char* text, std::size_t width) { return std::string(text, strnlen(text, width)); };
  if (party.type == 1) {
    platform::PracticeTable<ZORV1101_REC> individuals("pmcl013_noncl_name");
    if (individuals.find(0, std::int32_t{party.number}).ok()) {
      const ZORV1101_REC& person = individuals.record();
      for (const std::string& part : {field(person.title, sizeof person.title), field(person.forenames, sizeof person.forenames),
                                      field(person.surname, sizeof person.surname)}) {
        if (part.empty()) continue;
        if (!name.empty()) name += ' ';
        name += part;
      }
    }
  } else if (party.type == 75) {
    platform::PracticeTable<ZORV1012_REC> parties("pmcl013_noncl_name");
    if (parties.find(1, std::int32_t{party.number}).ok()) name = field(parties.record().name, sizeof parties.record().name);
  } else {
    platform::PracticeTable<zorv1005_rec> clients("pmcl013_noncl_name");
    if (clients.find(1, party).ok()) name = field(clients.record().client_id, sizeof clients.record().client_id);
  }
  return name.c_str();
}

}  // extern "C"
