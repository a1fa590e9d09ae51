// File: qarntash/practice_data/client_identifiers.h
//
// A client's two identities: the internal reference (PMCO_INT_REF: a type byte and a 32-bit
// number) by which the programs link records, and the visible ID, the text of up to 10
// characters by which users know the client. These functions convert one into the other through
// the clients table (ZORV1005.TTL, on the configured data path), and make from the visible ID a
// name for the client's files. Each opens the table, reads one record and closes it again.
//
// Failure is a false result with the output left as it was: a reference or ID that is not in the
// table, a table that cannot be opened or read (reported on the platform's report channel).
//
// Usage:
//   cLBW_STRING id, file_name;
//   PMCO_INT_REF client{};
//   if (GetRefFromVisibleID("AB/12:X", client) && GetFileNameFromRef(client, file_name)) ...
//   // file_name is "AB_12_X"
#pragma once

#include <string>

#include "platform/lbw_string.h"
#include "platform/types.h"
#include "qarntash/export.h"

// The visible ID of the client with internal reference `reference`. A stored ID is at most 10
// characters, even when its field lacks the terminator.
QARNTASH_API bool GetVisibleIDFromRef(const PMCO_INT_REF& reference, cLBW_STRING& visibleID);
QARNTASH_API bool GetVisibleIDFromRef(const PMCO_INT_REF& reference, std::string& visibleID);

// The internal reference of the client whose visible ID is `visibleID`; only its first 10
// characters are looked for, as the table keeps no more. IDs are compared as stored: case and
// trailing spaces count.
QARNTASH_API bool GetRefFromVisibleID(const cLBW_STRING& visibleID, PMCO_INT_REF& reference);

// A name for the files of the client with internal reference `reference`, made from its visible
// ID so that it is one harmless file name on Windows and elsewhere:
//  - "/", "\", ":", "#", "*", the double quote, ">", "<", "|", "?" and control characters
//    become "_" ("AB/12:X" gives "AB_12_X"; "?" would match other clients' files);
//  - a name of dots only ("..") becomes underscores ("__");
//  - a Windows device name, in any case and with or without an extension ("CON", "lpt1.doc"),
//    gets a leading "_" ("_CON");
//  - spaces, dots inside a name and other characters stay ("A.B").
// False, with `fileName` as it was, for a reference not in the table or an empty visible ID.
QARNTASH_API bool GetFileNameFromRef(const PMCO_INT_REF& reference, cLBW_STRING& fileName);
