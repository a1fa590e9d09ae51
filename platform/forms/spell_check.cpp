// The spell check of a form's text fields, word by word with a Hunspell dictionary (British
// English by default). Each unknown word goes to the current user, who picks a replacement,
// ignores the word (for the rest of this check) or cancels; replacements are written back into
// the field, cut to its length.
#include <hunspell.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "field_text.h"
#include "platform/errors.h"
#include "platform/forms.h"
#include "platform/window_services.h"

namespace {

std::mutex stem_mutex;
std::string configured_stem;

bool file_exists(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  std::fclose(file);
  return true;
}

struct HunspellDeleter {
  void operator()(Hunhandle* handle) const { Hunspell_destroy(handle); }
};
using Dictionary = std::unique_ptr<Hunhandle, HunspellDeleter>;

// The suggestions for `word`, best first, at most `limit`.
std::vector<std::string> suggestions_for(Hunhandle* dictionary, const std::string& word, std::size_t limit) {
  char** list = nullptr;
  const int count = Hunspell_suggest(dictionary, &list, word.c_str());
  std::vector<std::string> words;
  for (int i = 0; i < count && words.size() < limit; ++i) words.emplace_back(list[i]);
  if (list != nullptr) Hunspell_free_list(dictionary, &list, count);
  return words;
}

bool is_word_byte(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || byte >= 0x80;
}

// The next word at or after `from`: letters, with apostrophes only between letters. Words
// holding digits ("2005-06", "P11D") are not words to check and are skipped.
bool next_word(const std::string& text, std::size_t from, std::size_t& start, std::size_t& end) {
  std::size_t i = from;
  while (i < text.size()) {
    while (i < text.size() && !is_word_byte(text[i])) ++i;
    if (i >= text.size()) return false;
    start = i;
    while (i < text.size() && (is_word_byte(text[i]) ||
                               (text[i] == '\'' && i + 1 < text.size() && is_word_byte(text[i + 1])))) {
      ++i;
    }
    end = i;
    const bool touches_digit = (start > 0 && std::isdigit(static_cast<unsigned char>(text[start - 1]))) ||
                               (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end])));
    if (!touches_digit) return true;
    while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  }
  return false;
}

// False when the user cancelled.
bool check_field(fp_FORM& form, long id, Hunhandle* dictionary) {
  platform::FormControl* control = form.field_state().find(id);
  if (control == nullptr || control->field != platform::FormControl::Field::String) return true;
  std::set<std::string> ignored;
  std::size_t from = 0, start = 0, end = 0;
  while (next_word(control->text, from, start, end)) {
    const std::string word = control->text.substr(start, end - start);
    from = end;
    if (ignored.count(word) != 0 || Hunspell_spell(dictionary, word.c_str()) != 0) continue;
    const platform::SpellQuery query{id, word, control->text, suggestions_for(dictionary, word, 8)};
    const platform::SpellAnswer answer = platform::current_user().check_word(query);
    if (answer.choice == platform::SpellAnswer::Choice::Cancel) return false;
    if (answer.choice == platform::SpellAnswer::Choice::Ignore) {
      ignored.insert(word);
      continue;
    }
    std::string text = control->text;
    text.replace(start, end - start, answer.replacement);
    control->text = platform::detail::cut_to_length(text, control->length);
    from = std::min(start + answer.replacement.size(), control->text.size());
    form.value_changed(*control);
  }
  return true;
}

}  // namespace

namespace platform {

void set_dictionary_stem(const std::string& stem) {
  std::lock_guard<std::mutex> lock(stem_mutex);
  configured_stem = stem;
}

std::string dictionary_stem() {
  std::lock_guard<std::mutex> lock(stem_mutex);
  if (!configured_stem.empty()) return configured_stem;
  const char* from_environment = std::getenv("QARNTASH_DICTIONARY");
  return from_environment != nullptr && *from_environment != '\0' ? from_environment : "/usr/share/hunspell/en_GB";
}

}  // namespace platform

extern "C" int fp_spellcheck_fields_list(fp_FORM* form, int, const long* ids, int count) {
  if (form == nullptr || ids == nullptr || count <= 0) return 1;
  const std::string stem = platform::dictionary_stem();
  if (!file_exists(stem + ".aff") || !file_exists(stem + ".dic")) {
    platform::report_line("spell check: no dictionary at " + stem + ".aff and " + stem + ".dic");
    error_display(("The spelling dictionary " + stem + ".dic could not be found.").c_str());
    return 0;
  }
  const Dictionary dictionary(Hunspell_create((stem + ".aff").c_str(), (stem + ".dic").c_str()));
  if (!dictionary) {
    platform::report_line("spell check: the dictionary " + stem + " could not be loaded");
    error_display(("The spelling dictionary " + stem + ".dic could not be loaded.").c_str());
    return 0;
  }
  for (int i = 0; i < count; ++i) {
    if (!check_field(*form, ids[i], dictionary.get())) return 0;
  }
  return 1;
}
