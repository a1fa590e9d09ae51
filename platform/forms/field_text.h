// Text as fields hold it: cut to a field's length without splitting a character, and money
// amounts read from what a person types.
#pragma once

#include <string>

namespace platform::detail {

// `text` cut to at most `length` bytes, never inside a UTF-8 character.
std::string cut_to_length(const std::string& text, int length);

// Reads an amount such as "1,234.50", "£12", "-3" or "(3.00)" (brackets: negative). A blank text
// is 0. False, with `amount` unchanged, for anything else.
bool parse_money(const std::string& text, double& amount);

}  // namespace platform::detail
