// One operation on a table through a field table: the field table's places packed into the
// record buffer before an insert or update, and the record found unpacked into them after a read.
// _tld and the table classes both work this way.
#pragma once

#include "platform/field_tables.h"

namespace platform {

// Runs `operation` on key `key_number` of `handle` through `fields` (null: a plain _bt). Returns
// the status of the first step that fails. A failure to pack is kept as the handle's last status
// and reported for `report_flag` 1, as _bt does with its own failures.
int run_through_field_table(int operation, btrv_fcb* handle, int key_number, const FAC_ENTRY* fields,
                            const char* source_file, int line, int report_flag);

}  // namespace platform
