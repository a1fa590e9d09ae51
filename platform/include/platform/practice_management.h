// File: platform/practice_management.h
//
// The practice-management services that the library calls: branches and the branch of a client,
// addresses, agents, and the current user's privileges.
//
// Branches. A practice may be divided into numbered branches (0 is the practice as a whole). In
// this stand-in a practice's branches are the branch numbers of its agents table (zorv1410.ttl:
// every branch has an agent who deals with the tax office for its clients), and a client belongs
// to the branch in its clients record (zorv1005_rec::branch) when that is one of the practice's
// branches, else to the practice as a whole.
//  - PMST_BRANCH_LIST: the practice's branches, read when it is made.
//  - PMST_BRREL_LIST: which branches clients may be related to (the same branches here).
//  - PMCL_RELATIONS: a client's relations over a branch-relations list; get_client_branch.
//
// Addresses are kept in the addresses table (ZORV1008.TTL) under their owner's internal reference,
// an address kind and a sequence number; the address itself is the record's tagged part
// (ZORV1008_TLD). A branch's addresses have the owner (kPmBranchPartyType, branch number); an
// agent's have the owner (kPmAgentPartyType, branch number) and the agent kind as address kind.
//
// Privileges: the current user's privilege record (ZORV1423_PRIVLDG). Until a host program says
// who has logged in (platform::set_user_privileges), the user is the practice's administrator,
// with every privilege, in every branch.
//
// Usage:
//   PMST_BRANCH_LIST branches;
//   PMST_BRREL_LIST branch_relations;
//   PMCL_RELATIONS relations(&branch_relations, false);
//   long branch = relations.get_client_branch(&client_record, -1, -1);
//   ZORV1008_TLD address{};
//   adac006_get_address(PMCO_INT_REF{kPmBranchPartyType, static_cast<std::int32_t>(branch)}, 8, 0, &address);
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/export.h"
#include "platform/practice_tables.h"
#include "platform/types.h"

// Party types of the owners of branch and agent addresses.
constexpr std::uint8_t kPmBranchPartyType = 70;
constexpr std::uint8_t kPmAgentPartyType = 71;

#pragma pack(push, 1)
// The current user's privileges. Flags are "Y" or "N" and a terminator.
struct ZORV1423_PRIVLDG {        // off size
  std::int16_t user_id;          //  0   2   the user's number (1: the practice's administrator)
  char user_name[21];            //  2  21   NUL-terminated
  std::int32_t branch;           // 23   4   the one branch the user works in; 0: every branch
  char administrator[2];         // 27   2   may change the practice's settings and users
  char edit_clients[2];          // 29   2   may add and change clients
  char delete_clients[2];        // 31   2   may delete clients
  char view_fees[2];             // 33   2   may see fees and billing
  char print_reports[2];         // 35   2   may print practice reports
  char submit_returns[2];        // 37   2   may send returns to the tax office
  char reserved[25];             // 39  25   zero
};
#pragma pack(pop)
static_assert(sizeof(ZORV1423_PRIVLDG) == 64, "ZORV1423_PRIVLDG is 64 bytes");
static_assert(offsetof(ZORV1423_PRIVLDG, user_name) == 2, "ZORV1423_PRIVLDG.user_name at 2");
static_assert(offsetof(ZORV1423_PRIVLDG, branch) == 23, "ZORV1423_PRIVLDG.branch at 23");
static_assert(offsetof(ZORV1423_PRIVLDG, administrator) == 27, "ZORV1423_PRIVLDG.administrator at 27");
static_assert(offsetof(ZORV1423_PRIVLDG, edit_clients) == 29, "ZORV1423_PRIVLDG.edit_clients at 29");
static_assert(offsetof(ZORV1423_PRIVLDG, delete_clients) == 31, "ZORV1423_PRIVLDG.delete_clients at 31");
static_assert(offsetof(ZORV1423_PRIVLDG, view_fees) == 33, "ZORV1423_PRIVLDG.view_fees at 33");
static_assert(offsetof(ZORV1423_PRIVLDG, print_reports) == 35, "ZORV1423_PRIVLDG.print_reports at 35");
static_assert(offsetof(ZORV1423_PRIVLDG, submit_returns) == 37, "ZORV1423_PRIVLDG.submit_returns at 37");
static_assert(offsetof(ZORV1423_PRIVLDG, reserved) == 39, "ZORV1423_PRIVLDG.reserved at 39");

class PLATFORM_API PM_MAIN {
 public:
  // The current user's privilege record: one process-wide record, valid for the life of the
  // process, rewritten when another user logs in.
  static ZORV1423_PRIVLDG* pmco004_get_privileges();

 private:
  PM_MAIN() = default;
};

namespace platform {
// Logs in the user whose privileges these are (a host program's log-in, or a test).
PLATFORM_API void set_user_privileges(const ZORV1423_PRIVLDG& privileges);
// The administrator's record that a process starts with.
PLATFORM_API ZORV1423_PRIVLDG administrator_privileges();
}  // namespace platform

// The practice's branches, in number order, as the agents table holds them when the list is made.
class PLATFORM_API PMST_BRANCH_LIST {
 public:
  PMST_BRANCH_LIST();
  const std::vector<long>& branches() const { return branches_; }
  bool contains(long branch) const;

 private:
  std::vector<long> branches_;
};

// The branches that clients may be related to.
class PLATFORM_API PMST_BRREL_LIST {
 public:
  PMST_BRREL_LIST();
  bool relates_to(long branch) const { return branches_.contains(branch); }

 private:
  PMST_BRANCH_LIST branches_;
};

// A client's relations, over a branch-relations list that must outlive the object.
class PLATFORM_API PMCL_RELATIONS {
 public:
  // `own_list` is kept for the suite's callers: the list always stays the caller's.
  PMCL_RELATIONS(PMST_BRREL_LIST* branch_relations, bool own_list);

  // The branch of the client whose record is given: its record's branch when the practice has
  // that branch, else 0 (the practice as a whole; also for a null record). `relation_kind` and
  // `on_date` narrow the relations considered; -1 takes any, and this stand-in keeps only one
  // relation per client, so it takes any whatever they are.
  long get_client_branch(const zorv1005_rec* client, long relation_kind, long on_date) const;

 private:
  PMST_BRREL_LIST* branch_relations_;
};

extern "C" {
// Reads the address of `owner` of kind `address_kind` and sequence `sequence` into *address.
// Returns 0; the store's status when there is no such address (4) or the table cannot be read,
// leaving *address as it was; 1 for a null address.
PLATFORM_API int adac006_get_address(PMCO_INT_REF owner, long address_kind, long sequence,
                                     ZORV1008_TLD* address);

// Reads the agent of kind `agent_kind` of `branch` into *agent and the agent's address into
// *address. Returns 0; the store's status when the branch has no such agent (reported on the
// report channel with `message_number`), leaving both as they were. An agent without an address
// clears *address and gives 0. Null records give 1.
PLATFORM_API int pmco052_read_agent(ZORV1410_TLD* agent, ZORV1008_TLD* address, long branch,
                                    long agent_kind, long message_number);
}
