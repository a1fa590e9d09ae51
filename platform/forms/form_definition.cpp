// Static form definitions opened modeless (the progress window): the form is the toolkit's, the
// text buffers the caller's. The definition opened last is the one fp_close closes.
#include <cstring>
#include <memory>
#include <vector>

#include "platform/forms.h"
#include "platform/window_services.h"

namespace {

std::vector<FP_FORM_DEF*>& open_definitions() {
  static std::vector<FP_FORM_DEF*> definitions;
  return definitions;
}

const FP_FORM_FIELD_DEF* field_of(const FP_FORM_DEF* definition, long id) {
  for (std::size_t i = 0; i < definition->field_count; ++i) {
    if (definition->fields[i].id == id) return &definition->fields[i];
  }
  return nullptr;
}

}  // namespace

extern "C" {

int fp_openusinginstanceVV(int, HINSTANCE instance, FP_FORM_DEF* definition) {
  if (definition == nullptr || definition->form != nullptr) return 0;
  auto form = std::make_unique<fp_FORM>(definition->dialog_id, instance);
  for (std::size_t i = 0; i < definition->field_count; ++i) {
    platform::FormControl* control = form->bind(definition->fields[i].id, platform::FormControl::Field::String);
    const unsigned short size = definition->fields[i].length;
    control->length = size > 0 ? size - 1 : 0;
  }
  if (!form->open(true)) return 0;
  definition->form = form.release();
  open_definitions().push_back(definition);
  platform::current_user().show_modeless(definition->form->state());
  return 1;
}

HWND fp_formwpid(const FP_FORM_DEF* definition) {
  return definition != nullptr && definition->form != nullptr ? definition->form->window() : nullptr;
}

void fp_dispfield(FP_FORM_DEF* definition, long id) {
  if (definition == nullptr || definition->form == nullptr) return;
  const FP_FORM_FIELD_DEF* field = field_of(definition, id);
  if (field == nullptr || field->buffer == nullptr || field->length == 0) return;
  // The buffer may lack its terminator: read no further than its size.
  const std::size_t length = strnlen(field->buffer, field->length - 1u);
  platform::FormControl* control = definition->form->field_state().find(id);
  if (control != nullptr) control->text.assign(field->buffer, length);
}

void fp_close() {
  auto& definitions = open_definitions();
  if (definitions.empty()) return;
  FP_FORM_DEF* definition = definitions.back();
  definitions.pop_back();
  delete definition->form;
  definition->form = nullptr;
  platform::current_user().modeless_closed();
}

}  // extern "C"
