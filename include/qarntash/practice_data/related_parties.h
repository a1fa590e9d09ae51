// File: qarntash/practice_data/related_parties.h
//
// The parties related to a client: the people, businesses and other parties that the
// relationships table (zorv1371.ttl) links to a client in one kind of relationship (trustee,
// beneficiary, partner, ...), and for each its name, visible ID, address, date of death and date
// of last address change.
//
// classRelated walks the relationship records of one owner (a trust: type 5 and the client
// number); classRelatedNameAddress wraps it and answers the reads for the party the walk stands
// on. A step that fails (no further party of the kind, another owner's record, a read that
// fails) leaves no current party: every read then answers false rather than describing a party
// of another client. getFirst always starts again from the owner's first party.
//
// Texts are copied within their fields and always NUL-terminated: a name at most
// kRelatedNameLength characters (a buffer of kRelatedNameLength + 1), a visible ID at most 10
// (a buffer of 11).
//
// The address tables (ZORV1008.TTL twice, ZORV1009.TTL) are opened once for the process and
// shared: each object holds a reference on them and the last one to go closes them.
//
// Usage:
//   classRelatedNameAddress trustees(5001, 1, conf);
//   ZORV1371_TLD period{};
//   for (bool found = trustees.getFirst(&period); found; found = trustees.getNext(&period)) {
//     char name[kRelatedNameLength + 1];
//     ADDRESS address;
//     if (trustees.getName(name) && trustees.getAddress(&address, nullptr)) ...
//   }
#pragma once

#include "platform/config.h"
#include "platform/practice/addresses_and_relationships.h"
#include "platform/types.h"
#include "qarntash/export.h"
#include "qarntash/practice_data/address.h"

// The longest name getName copies (the width of a name field in the practice's tables, less
// its terminator).
constexpr int kRelatedNameLength = 60;

class QARNTASH_API classRelated {
 public:
  // Walks the relationships of the trust or client (5, clientNumber) on conf's data path.
  classRelated(long clientNumber, TK_CONF conf);
  ~classRelated();
  // A copy walks the same owner on a table handle of its own.
  classRelated(const classRelated& other);
  classRelated& operator=(const classRelated& other);

  // The owner's first relationship of `kind` at or after the rest of `key` (the caller's party
  // and relationship number; all zeros for the first of all). True when found: `key` then holds
  // its key and *tld (when given) its period and share. False at once for an owner with none.
  bool getFirst(ZORV1371_KEYBUF& key, long kind, ZORV1371_TLD* tld);
  // The owner's next relationship of `kind` after `key`. False at the end of them.
  bool getNext(ZORV1371_KEYBUF& key, long kind, ZORV1371_TLD* tld);

 protected:
  bool get(int operation, ZORV1371_KEYBUF& key, long kind, ZORV1371_TLD* tld);

 private:
  void open_table();

  long m_clientNumber;
  btrv_fcb* m_relationships = nullptr;  // held open for the object's life
  TK_CONF m_conf;
};

class QARNTASH_API classRelatedNameAddress {
 public:
  // Walks the parties related to client `clientNumber` in relationships of kind `recordType`.
  classRelatedNameAddress(long clientNumber, long recordType, TK_CONF conf);
  // Answers the reads for the one party `party`; it has no walk (getFirst is false) and its
  // record type is 0.
  classRelatedNameAddress(PMCO_INT_REF& party, TK_CONF conf);
  ~classRelatedNameAddress();
  // A copy has its own walker and its own reference on the address tables.
  classRelatedNameAddress(const classRelatedNameAddress& other);
  classRelatedNameAddress& operator=(const classRelatedNameAddress& other);

  bool getFirst(ZORV1371_TLD* tld);
  bool getNext(ZORV1371_TLD* tld);
  long getRecordType();

  // Each read is false when there is no current party.
  bool getPMCO_INT_REF(PMCO_INT_REF* reference);
  // The party's display name, at most kRelatedNameLength characters.
  bool getName(char* name);
  // The party's visible ID when it is a client (at most 10 characters), else "". Other parties
  // (type 75) have none.
  bool getID(char* id);
  // The party's address into *address (cleared first), and, when `full` is given, the whole
  // address record with the contacts of an override address applied; the address's main
  // contact number (the first whose flag has bit 0x10) goes into address->contact_number.
  // False when the party has no address: *address is then all zeros and *full untouched.
  bool getAddress(ADDRESS* address, ZORV1008_TLD* full);
  // An individual's date of death (0 while alive); false for other parties and when not found.
  bool getDateOfDeath(long& date);
  // The date of the party's last change of address: the dated event of its type with sub-code
  // 23 then 1 (individuals and other parties), 13 (businesses) or 1 (trusts). False, with 0,
  // when there is none.
  bool getDateOfLastAddressChange(long& date);
  bool getDateOfLastAddressChange(long& date, int subcode);

  void OpenAddressFiles();

 private:
  PMCO_INT_REF current_party() const;
  void clear_party();
  void release_address_files();

  long m_recordType = 0;
  classRelated* m_walker = nullptr;
  ZORV1371_KEYBUF m_key{};
  TK_CONF m_conf;
  bool m_openedAddresses = false;      // holds a reference on the main address handle
  bool m_openedLinks = false;          // ... on the links handle
  bool m_openedOverrides = false;      // ... on the second address handle
};
