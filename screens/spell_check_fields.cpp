#include "qarntash/screens/spell_check.h"

#include <cstdarg>
#include <vector>

#include "platform/window_services.h"

int SpellCheckFields(fp_FORM* form, long first_field_id, ...) {
  if (form == nullptr || first_field_id <= 0) return 1;
  std::vector<long> ids{first_field_id};
  va_list rest;
  va_start(rest, first_field_id);
  for (long id = va_arg(rest, long); id > 0; id = va_arg(rest, long)) ids.push_back(id);
  va_end(rest);
  if (fp_spellcheck_fields_list(form, 0, ids.data(), static_cast<int>(ids.size())) == 1) return 1;
  error_display("Spell check cancelled");
  return 0;
}
