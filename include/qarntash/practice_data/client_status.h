// File: qarntash/practice_data/client_status.h
//
// A client's status flags (the clients table's status word, ZORV1005.TTL) and the job stage that
// an event moves a client's job to.
//
// SetClientStatus sets (set 1) or clears (set 0) the bits of `mask` for the client (type,
// number). Setting writes nothing when any bit of the mask is already set; clearing writes only
// when some bit is set; any other `set` changes nothing.
//
// CheckClientStatus asks the user "Is this business currently a client?" (a trust, type 5: "Is
// this trust currently a client?") in a Yes/No box captioned "Client status for " and the
// client's name, then sets the bits for Yes and clears them for No. A box closed without an
// answer, or one that could not be shown, writes nothing and gives 0.
//
// GetJobStageFromEvent finds whether event `eventType` moves the job of client `clientRef` (a
// PMCO_INT_REF, 5 bytes) for `period` (a tax year, or a period's end date as a day number,
// as the job type's period kind says) to one of its stages, and if so positions the caller's
// table of stages reached (zorv1446.ttl) on that stage's record: 1 when it is there, else 0.
// A stage that the job type skips for the client's type gives 0.
//
// Usage:
//   if (CheckClientStatus(2001, 2, "Acme Joinery", 2)) ... the practice acts for the business
//   PM_DBASE<ZORV1446_REC> reached;
//   if (GetJobStageFromEvent(102, reinterpret_cast<const char*>(&client), 2023, reached.access_pointer())) ...
#pragma once

#include "platform/table_classes.h"
#include "qarntash/export.h"

extern "C" {
// 0 when the record has the wanted state (written, or already so) or `set` is neither 0 nor 1;
// 1 for a type outside 0..255 (nothing is read); else the store's status: 4 no such client,
// 80 another user changed the record since it was read, 85 the table was busy, 3 no table.
QARNTASH_API int SetClientStatus(int number, int type, int set, int mask);
// 1 for Yes, 0 for No, a closed box or a type outside 0..255 (no question is asked).
QARNTASH_API char CheckClientStatus(int number, int type, const char* name, int mask);
// 1 or 0; 0 for null arguments.
QARNTASH_API char GetJobStageFromEvent(int eventType, const char* clientRef, int period, FA_BASIC* stages);
}
