// Visible IDs, internal references and file names, through the clients table.
#include "qarntash/practice_data/client_identifiers.h"

#include <cstring>
#include <optional>

#include "client_file_name.h"
#include "platform/practice/practice_table.h"
#include "platform/practice_tables.h"

namespace practice_data_internal {
namespace {

constexpr const char* kSourceFile = "ClientIDUtilities";
constexpr int kKeyVisibleId = 0;
constexpr int kKeyReference = 1;

// The visible ID of the client with `reference`, or nothing when the table has no such client
// (or cannot be read: the table reports that itself).
std::optional<std::string> visible_id_of(const PMCO_INT_REF& reference) {
  platform::PracticeTable<zorv1005_rec> clients(kSourceFile);
  if (!clients.find(kKeyReference, reference).ok()) return std::nullopt;
  // The field is 11 bytes; a stored ID that fills it without a terminator is cut at 10.
  const zorv1005_rec& client = clients.record();
  return std::string(client.client_id, strnlen(client.client_id, kVisibleIdLength));
}

}  // namespace
}  // namespace practice_data_internal

using practice_data_internal::visible_id_of;

bool GetVisibleIDFromRef(const PMCO_INT_REF& reference, cLBW_STRING& visibleID) {
  std::optional<std::string> id = visible_id_of(reference);
  if (!id) return false;
  visibleID = *id;
  return true;
}

bool GetVisibleIDFromRef(const PMCO_INT_REF& reference, std::string& visibleID) {
  std::optional<std::string> id = visible_id_of(reference);
  if (!id) return false;
  visibleID = std::move(*id);
  return true;
}

bool GetRefFromVisibleID(const cLBW_STRING& visibleID, PMCO_INT_REF& reference) {
  using practice_data_internal::kVisibleIdLength;
  // Key 0 is the ID NUL-padded to 11 bytes: a longer ID is looked for by its first 10 characters.
  char key[kVisibleIdLength + 1] = {};
  std::memcpy(key, visibleID.c_str(), strnlen(visibleID.c_str(), kVisibleIdLength));
  platform::PracticeTable<zorv1005_rec> clients(practice_data_internal::kSourceFile);
  if (!clients.find(practice_data_internal::kKeyVisibleId, key).ok()) return false;
  reference.type = clients.record().client_type;
  reference.number = clients.record().client_number;
  return true;
}

bool GetFileNameFromRef(const PMCO_INT_REF& reference, cLBW_STRING& fileName) {
  const std::optional<std::string> id = visible_id_of(reference);
  if (!id) return false;
  const std::optional<std::string> name = practice_data_internal::client_file_name(*id);
  if (!name) return false;
  fileName = *name;
  return true;
}
