// File: qarntash/practice_data/branch_scope.h
//
// Branch scoping: a practice may be divided into branches, and each client belongs to one (0 is
// the practice as a whole). A host opens a scope with InitBranch, asks for the branch of clients
// (by clients record, client ID, internal reference or business number) and closes the scope with
// EndBranch. While a scope is open the platform's branch services stay loaded and a clients-table
// handle stays open: the caller's own, or one the scope opened itself.
//
// Scopes nest. Each InitBranch pushes its handle (the lent one, or one it opened) and each
// EndBranch pops it, closing only a handle that its own InitBranch opened, so the outer scope's
// handle is in use again. The branch services are loaded by the outermost InitBranch and dropped
// by its EndBranch; an EndBranch without an open scope does nothing.
//
// Lookups outside any scope show the message "InitBranch() not called" (caption "Application
// Error") and give 0. A client that is not in the table, a null client ID, a number beyond 32
// bits or a scope whose table could not be opened also give 0, never the branch of a client read
// before. A lookup through a lent handle leaves that handle's record and key buffers as they
// were (its position in the table is not restored).
//
// Addresses that depend on the branch: GetDefaultAddress gives the default address of a client's
// branch (opening and closing a scope of its own), ReadAgentAddress the agent of a client's
// branch and the agent's address (inside the caller's scope).
//
// Usage:
//   InitBranch(nullptr, &qarntash_configuration());
//   long branch = GetIntBranchID_business_no(1001);
//   EndBranch();
//
// The scopes and the address buffer are process-wide and unguarded: call from one thread.
#pragma once

#include "platform/config.h"
#include "platform/practice_tables.h"
#include "platform/record_store.h"
#include "qarntash/export.h"

// Opens a scope. `table` is the caller's open clients-table handle, which the scope uses and never
// closes, or null to open the clients table on the data path of `conf` (with a null `conf` too,
// the scope has no table and its lookups by ID or number give 0).
QARNTASH_API void InitBranch(btrv_fcb* table, TK_CONF* conf);

// Closes the innermost scope.
QARNTASH_API void EndBranch();

// The branch of the client whose record is given (0 for a null record).
QARNTASH_API long GetIntBranchID_ZORV1005_REC(zorv1005_rec* record);

// The branch of the client with visible ID `clientID` (its first 10 characters).
QARNTASH_API long GetIntBranchID_clientID(char* clientID);

// The branch of the client with internal reference (`type`, `number`).
QARNTASH_API long GetIntBranchID_personnel_no(long number, char type);

// The branch of the business with number `number` (internal reference (2, number)).
QARNTASH_API long GetIntBranchID_business_no(long number);

// The default address of the branch of business `business_no`: the address of kind 8 and sequence
// 0 of the party (low byte of `type`, branch number). Returns the library's one address buffer,
// cleared first and rewritten by each call; it stays clear when there is no such address or
// `conf` is null. `unused` is kept for the callers.
QARNTASH_API ZORV1008_TLD* GetDefaultAddress(long business_no, long unused, long type, TK_CONF* conf);

// Reads the agent (kind 10) of the branch of business `business_no`, and the agent's address,
// into the caller's records; needs an open scope. Records are left as they were when the branch
// has no such agent (which the platform reports, message 2894).
QARNTASH_API void ReadAgentAddress(ZORV1410_TLD* agent, ZORV1008_TLD* address, long business_no);
