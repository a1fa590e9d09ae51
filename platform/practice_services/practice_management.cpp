// The practice-management stand-in: branches from the agents table, addresses and agents from
// their tables, and the current user's privileges; see platform/practice_management.h.
#include "platform/practice_management.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/errors.h"
#include "platform/table_classes.h"

namespace {

void set_flag(char (&flag)[2], bool on) {
  flag[0] = on ? 'Y' : 'N';
  flag[1] = '\0';
}

ZORV1423_PRIVLDG& current_privileges() {
  static ZORV1423_PRIVLDG privileges = platform::administrator_privileges();
  return privileges;
}

}  // namespace

namespace platform {

ZORV1423_PRIVLDG administrator_privileges() {
  ZORV1423_PRIVLDG administrator{};
  administrator.user_id = 1;
  std::strcpy(administrator.user_name, "Administrator");
  for (char(*flag)[2] : {&administrator.administrator, &administrator.edit_clients, &administrator.delete_clients,
                         &administrator.view_fees, &administrator.print_reports, &administrator.submit_returns}) {
    set_flag(*flag, true);
  }
  return administrator;
}

void set_user_privileges(const ZORV1423_PRIVLDG& privileges) { current_privileges() = privileges; }

}  // namespace platform

ZORV1423_PRIVLDG* PM_MAIN::pmco004_get_privileges() { return &current_privileges(); }

PMST_BRANCH_LIST::PMST_BRANCH_LIST() {
  PM_DBASE<ZORV1410_REC> agents;
  FA_BASIC* table = agents.access_pointer();
  if (!table->is_open()) return;
  const int end = faba001_constants().end_of_file;
  for (int status = table->fa_get(BTR_GET_FIRST, 0, 0, "branch list", end); status == BTR_OK;
       status = table->fa_get(BTR_GET_NEXT, 0, 0, "branch list", end)) {
    const long branch = agents.record()->branch;
    if (branch > 0 && (branches_.empty() || branches_.back() != branch)) branches_.push_back(branch);
  }
}

bool PMST_BRANCH_LIST::contains(long branch) const {
  return std::binary_search(branches_.begin(), branches_.end(), branch);
}

PMST_BRREL_LIST::PMST_BRREL_LIST() = default;

PMCL_RELATIONS::PMCL_RELATIONS(PMST_BRREL_LIST* branch_relations, bool)
    : branch_relations_(branch_relations) {}

long PMCL_RELATIONS::get_client_branch(const zorv1005_rec* client, long, long) const {
  if (client == nullptr || branch_relations_ == nullptr) return 0;
  return branch_relations_->relates_to(client->branch) ? client->branch : 0;
}

int adac006_get_address(PMCO_INT_REF owner, long address_kind, long sequence, ZORV1008_TLD* address) {
  if (address == nullptr) return 1;
  PM_DBASE<ZORV1008_REC> addresses;
  FA_BASIC* table = addresses.access_pointer();
  if (!table->is_open()) return table->open_status();
  ZORV1008_REC key{};
  key.owner_type = owner.type;
  key.owner_number = owner.number;
  key.address_kind = static_cast<std::int32_t>(address_kind);
  key.sequence = static_cast<std::int32_t>(sequence);
  std::memcpy(table->key_buffer(), &key, static_cast<std::size_t>(table->key_length()));
  const int status = table->fa_geteq(0, 0, "adac006_get_address", faba001_constants().key_not_found);
  if (status == BTR_OK) *address = *addresses.tld();
  return status;
}

int pmco052_read_agent(ZORV1410_TLD* agent, ZORV1008_TLD* address, long branch, long agent_kind,
                       long message_number) {
  if (agent == nullptr || address == nullptr) return 1;
  PM_DBASE<ZORV1410_REC> agents;
  FA_BASIC* table = agents.access_pointer();
  if (!table->is_open()) return table->open_status();
  ZORV1410_REC key{};
  key.branch = static_cast<std::int32_t>(branch);
  key.agent_kind = static_cast<std::int32_t>(agent_kind);
  std::memcpy(table->key_buffer(), &key, static_cast<std::size_t>(table->key_length()));
  const int status = table->fa_geteq(0, 0, "pmco052_read_agent", faba001_constants().report_none);
  if (status != BTR_OK) {
    _exgen_error(1, (std::string("message ") + std::to_string(message_number) + ": branch " +
                     std::to_string(branch) + " has no agent of kind " + std::to_string(agent_kind))
                        .c_str(),
                 0, "pmco052_read_agent", 0);
    return status;
  }
  ZORV1008_TLD agent_address{};
  const PMCO_INT_REF owner{kPmAgentPartyType, static_cast<std::int32_t>(branch)};
  const int address_status = adac006_get_address(owner, agent_kind, 0, &agent_address);
  if (address_status != BTR_OK && address_status != BTR_KEY_NOT_FOUND) return address_status;
  *agent = *agents.tld();
  *address = agent_address;
  return BTR_OK;
}
