// Branch scopes over the clients table, and the addresses that depend on a client's branch.
#include "qarntash/practice_data/branch_scope.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <vector>

#include "client_file_name.h"
#include "platform/practice/table_handle.h"
#include "platform/practice_management.h"
#include "platform/window_services.h"

namespace practice_data_internal {
namespace {

constexpr const char* kSourceFile = "DataCentreAddressSupport";
constexpr int kKeyVisibleId = 0;
constexpr int kKeyReference = 1;
constexpr int kClientKeyLength = 15;
constexpr std::uint8_t kBusinessType = 2;
// What the platform's services are asked for: any relation on any date; the main address (kind
// 8, sequence 0); the agent who deals with the tax office (kind 10), reported as message 2894
// when missing.
constexpr long kAnyRelation = -1;
constexpr long kAnyDate = -1;
constexpr long kMainAddressKind = 8;
constexpr long kMainAddressSequence = 0;
constexpr long kTaxAgentKind = 10;
constexpr long kNoAgentMessage = 2894;

// One open scope: the caller's handle, or the one this scope opened (and closes when it ends).
struct Scope {
  btrv_fcb* lent = nullptr;
  platform::TableHandle owned;
  btrv_fcb* table() const { return owned.is_open() ? owned.get() : lent; }
};

// The platform's branch services, loaded while any scope is open.
struct BranchServices {
  PMST_BRANCH_LIST branches;
  PMST_BRREL_LIST branch_relations;
  PMCL_RELATIONS relations{&branch_relations, false};
};

std::vector<Scope> g_scopes;  // innermost last
std::unique_ptr<BranchServices> g_services;
ZORV1008_TLD g_default_address;

bool scope_is_open() {
  if (!g_scopes.empty()) return true;
  wp_messagebox_ex("Application Error", "InitBranch() not called", kMbOk);
  return false;
}

// The branch of the client whose key `key` (`key_size` bytes) is found on `key_number` of the
// innermost scope's table: 0 when there is no table or no such client. The table's buffers are
// given back as they were, within the lengths the handle was opened with.
long branch_by_key(int key_number, const void* key, int key_size) {
  btrv_fcb* table = g_scopes.back().table();
  if (table == nullptr || table->record_buffer == nullptr || table->key_buffer == nullptr) return 0;
  const std::vector<char> saved_record(table->record_buffer, table->record_buffer + std::max(table->record_length, 0));
  const std::vector<char> saved_key(table->key_buffer, table->key_buffer + std::max(table->key_length, 0));

  long branch = 0;
  if (key_size <= table->key_length && table->record_length >= static_cast<int>(sizeof(zorv1005_rec))) {
    std::memset(table->key_buffer, 0, saved_key.size());
    std::memcpy(table->key_buffer, key, static_cast<std::size_t>(key_size));
    // The store reports a failed read itself; a client not found has no branch.
    if (_bt(BTR_GET_EQUAL, table, key_number, kSourceFile, __LINE__, 1) == BTR_OK) {
      zorv1005_rec client;
      std::memcpy(&client, table->record_buffer, sizeof client);
      branch = g_services->relations.get_client_branch(&client, kAnyRelation, kAnyDate);
    }
  }
  std::memcpy(table->record_buffer, saved_record.data(), saved_record.size());
  std::memcpy(table->key_buffer, saved_key.data(), saved_key.size());
  return branch;
}

}  // namespace
}  // namespace practice_data_internal

using namespace practice_data_internal;

void InitBranch(btrv_fcb* table, TK_CONF* conf) {
  Scope scope;
  scope.lent = table;
  if (table == nullptr && conf != nullptr) {
    // A table that does not open is reported by the store; the scope's lookups then give 0.
    (void)scope.owned.open(conf->data_path, "ZORV1005.TTL", static_cast<int>(sizeof(zorv1005_rec)),
                           kClientKeyLength, kSourceFile);
  }
  if (g_scopes.empty()) g_services = std::make_unique<BranchServices>();
  g_scopes.push_back(std::move(scope));
}

void EndBranch() {
  if (g_scopes.empty()) return;
  g_scopes.pop_back();
  if (g_scopes.empty()) g_services.reset();
}

long GetIntBranchID_ZORV1005_REC(zorv1005_rec* record) {
  if (!scope_is_open() || record == nullptr) return 0;
  return g_services->relations.get_client_branch(record, kAnyRelation, kAnyDate);
}

long GetIntBranchID_clientID(char* clientID) {
  if (!scope_is_open() || clientID == nullptr) return 0;
  char key[kVisibleIdLength + 1] = {};
  std::memcpy(key, clientID, strnlen(clientID, kVisibleIdLength));
  return branch_by_key(kKeyVisibleId, key, static_cast<int>(sizeof key));
}

long GetIntBranchID_personnel_no(long number, char type) {
  if (!scope_is_open()) return 0;
  // A number beyond 32 bits is no client's: cut short, it would find another client.
  if (number < INT32_MIN || number > INT32_MAX) return 0;
  const PMCO_INT_REF reference{static_cast<std::uint8_t>(type), static_cast<std::int32_t>(number)};
  return branch_by_key(kKeyReference, &reference, static_cast<int>(sizeof reference));
}

long GetIntBranchID_business_no(long number) {
  return GetIntBranchID_personnel_no(number, static_cast<char>(kBusinessType));
}

ZORV1008_TLD* GetDefaultAddress(long business_no, long, long type, TK_CONF* conf) {
  std::memset(&g_default_address, 0, sizeof g_default_address);
  if (conf == nullptr) return &g_default_address;
  InitBranch(nullptr, conf);
  const long branch = GetIntBranchID_business_no(business_no);
  EndBranch();
  const PMCO_INT_REF branch_party{static_cast<std::uint8_t>(type & 0xff), static_cast<std::int32_t>(branch)};
  adac006_get_address(branch_party, kMainAddressKind, kMainAddressSequence, &g_default_address);
  return &g_default_address;
}

void ReadAgentAddress(ZORV1410_TLD* agent, ZORV1008_TLD* address, long business_no) {
  pmco052_read_agent(agent, address, GetIntBranchID_business_no(business_no), kTaxAgentKind, kNoAgentMessage);
}
