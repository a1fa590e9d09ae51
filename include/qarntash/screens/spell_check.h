// File: qarntash/screens/spell_check.h
//
// Spell check over fields of a host program's open form.
//
//   if (!SpellCheckFields(&form, 1001L, 1002L, 0L)) ...   // the user cancelled
//
// The ids follow `form` as longs, ended by 0 (any id of 0 or below ends the list). Each unknown
// word is put to the user, who picks a replacement, ignores it or cancels; replacements go back
// into the field. Returns 1 when the check ran to the end or there was nothing to check, 0 when it
// was cancelled (or no dictionary could be found), after showing "Spell check cancelled".
#pragma once

#include "platform/forms.h"
#include "qarntash/export.h"

extern "C" QARNTASH_API int SpellCheckFields(fp_FORM* form, long first_field_id, ...);
