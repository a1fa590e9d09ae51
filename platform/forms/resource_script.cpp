#include "resource_script.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>

namespace platform::detail {
namespace {

struct Token {
  enum class Kind { Word, Number, Text, Comma, Bar, Other } kind;
  std::string text;   // a word, the digits of a number, or a string's value
  long number = 0;
  int line = 0;
};

class Tokenizer {
 public:
  explicit Tokenizer(const std::string& script) : s_(script) {}

  bool run(std::vector<Token>& tokens, std::string& error) {
    while (skip_space()) {
      const char c = s_[i_];
      if (c == '"') {
        Token token{Token::Kind::Text, {}, 0, line_};
        if (!read_text(token.text)) {
          error = "line " + std::to_string(token.line) + ": a text is not closed";
          return false;
        }
        tokens.push_back(std::move(token));
      } else if (std::isdigit(static_cast<unsigned char>(c)) ||
                 (c == '-' && i_ + 1 < s_.size() && std::isdigit(static_cast<unsigned char>(s_[i_ + 1])))) {
        const char* start = s_.c_str() + i_;
        char* end = nullptr;
        const long value = std::strtol(start, &end, 0);
        i_ += static_cast<std::size_t>(end - start);
        if (i_ < s_.size() && (s_[i_] == 'L' || s_[i_] == 'l')) ++i_;
        tokens.push_back({Token::Kind::Number, std::string(start, static_cast<const char*>(end)), value, line_});
      } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
        const std::size_t start = i_;
        while (i_ < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[i_])) || s_[i_] == '_')) ++i_;
        tokens.push_back({Token::Kind::Word, s_.substr(start, i_ - start), 0, line_});
      } else {
        tokens.push_back({c == ',' ? Token::Kind::Comma : c == '|' ? Token::Kind::Bar : Token::Kind::Other,
                          std::string(1, c), 0, line_});
        ++i_;
      }
    }
    return true;
  }

 private:
  // Skips blanks, comments and preprocessor lines; false at the end of the script.
  bool skip_space() {
    bool line_start = i_ == 0 || s_[i_ - 1] == '\n';
    while (i_ < s_.size()) {
      const char c = s_[i_];
      if (c == '\n') {
        ++line_;
        ++i_;
        line_start = true;
      } else if (std::isspace(static_cast<unsigned char>(c))) {
        ++i_;
      } else if (c == '#' && line_start) {
        while (i_ < s_.size() && s_[i_] != '\n') ++i_;
      } else if (s_.compare(i_, 2, "//") == 0) {
        while (i_ < s_.size() && s_[i_] != '\n') ++i_;
      } else if (s_.compare(i_, 2, "/*") == 0) {
        const std::size_t end = s_.find("*/", i_ + 2);
        for (std::size_t j = i_; j < std::min(end, s_.size()); ++j) line_ += s_[j] == '\n';
        i_ = end == std::string::npos ? s_.size() : end + 2;
      } else {
        return true;
      }
    }
    return false;
  }

  bool read_text(std::string& text) {
    ++i_;
    while (i_ < s_.size()) {
      const char c = s_[i_++];
      if (c == '"') {
        if (i_ < s_.size() && s_[i_] == '"') {
          text += '"';
          ++i_;
          continue;
        }
        return true;
      }
      if (c == '\n') return false;
      if (c == '\\' && i_ < s_.size()) {
        const char escaped = s_[i_++];
        switch (escaped) {
          case 'n': text += '\n'; break;
          case 't': text += '\t'; break;
          case 'r': text += '\r'; break;
          default: text += escaped; break;
        }
        continue;
      }
      text += c;
    }
    return false;
  }

  const std::string& s_;
  std::size_t i_ = 0;
  int line_ = 1;
};

const std::set<std::string>& control_keywords() {
  static const std::set<std::string> words = {"LTEXT", "CTEXT", "RTEXT", "GROUPBOX", "PUSHBUTTON", "DEFPUSHBUTTON",
                                              "CHECKBOX", "AUTOCHECKBOX", "RADIOBUTTON", "AUTORADIOBUTTON",
                                              "EDITTEXT", "CONTROL"};
  return words;
}

using Argument = std::vector<Token>;

class Parser {
 public:
  Parser(std::vector<Token> tokens, std::string& error) : t_(std::move(tokens)), error_(error) {}

  std::optional<ParsedResources> run() {
    ParsedResources resources;
    while (i_ < t_.size()) {
      const Token& token = t_[i_];
      if (is_word("LANGUAGE")) {
        i_ += 4;  // LANGUAGE primary , secondary
      } else if (is_word("STRINGTABLE")) {
        if (!string_table(resources)) return std::nullopt;
      } else if ((token.kind == Token::Kind::Number || token.kind == Token::Kind::Word) && i_ + 1 < t_.size() &&
                 (t_[i_ + 1].text == "DIALOG" || t_[i_ + 1].text == "DIALOGEX")) {
        if (!dialog(resources)) return std::nullopt;
      } else {
        return fail("unexpected \"" + token.text + "\"");
      }
    }
    return resources;
  }

 private:
  bool is_word(const char* word) const {
    return i_ < t_.size() && t_[i_].kind == Token::Kind::Word && t_[i_].text == word;
  }

  std::nullopt_t fail(const std::string& what) {
    const int line = i_ < t_.size() ? t_[i_].line : (t_.empty() ? 0 : t_.back().line);
    error_ = "line " + std::to_string(line) + ": " + what;
    return std::nullopt;
  }

  bool skip_to(const char* word) {
    while (i_ < t_.size() && !is_word(word)) ++i_;
    if (i_ >= t_.size()) {
      fail(std::string("missing ") + word);
      return false;
    }
    ++i_;
    return true;
  }

  // Arguments separated by commas, up to the next statement (a control keyword, END or BEGIN).
  std::vector<Argument> arguments() {
    std::vector<Argument> list(1);
    while (i_ < t_.size()) {
      const Token& token = t_[i_];
      if (token.kind == Token::Kind::Word && list.back().empty() &&
          (control_keywords().count(token.text) != 0 || token.text == "END" || token.text == "BEGIN" ||
           token.text == "CAPTION" || token.text == "STYLE" || token.text == "EXSTYLE" || token.text == "FONT")) {
        break;
      }
      if (token.kind == Token::Kind::Word && !list.back().empty() && list.back().back().kind != Token::Kind::Bar &&
          list.back().back().text != "NOT") {
        break;  // a word right after a finished value starts the next statement
      }
      ++i_;
      if (token.kind == Token::Kind::Comma) {
        list.emplace_back();
      } else {
        list.back().push_back(token);
      }
    }
    if (list.size() == 1 && list[0].empty()) list.clear();
    return list;
  }

  static bool number_of(const Argument& argument, long& value) {
    if (argument.size() != 1) return false;
    const Token& token = argument[0];
    if (token.kind == Token::Kind::Number) {
      value = token.number;
      return true;
    }
    static const std::pair<const char*, long> named[] = {
        {"IDOK", 1}, {"IDCANCEL", 2}, {"IDYES", 6}, {"IDNO", 7}, {"IDC_STATIC", -1}};
    for (const auto& [name, number] : named) {
      if (token.kind == Token::Kind::Word && token.text == name) {
        value = number;
        return true;
      }
    }
    return false;
  }

  static bool text_of(const Argument& argument, std::string& text) {
    if (argument.size() != 1 || argument[0].kind != Token::Kind::Text) return false;
    text = argument[0].text;
    return true;
  }

  bool numbers(const std::vector<Argument>& args, std::size_t from, std::initializer_list<int*> out) {
    std::size_t k = from;
    for (int* target : out) {
      long value = 0;
      if (k >= args.size() || !number_of(args[k], value)) return false;
      *target = static_cast<int>(value);
      ++k;
    }
    return true;
  }

  bool dialog(ParsedResources& resources) {
    ParsedDialog dialog;
    long id = 0;
    if (!number_of({t_[i_]}, id) || id <= 0) {
      fail("a dialog needs a number");
      return false;
    }
    dialog.id = static_cast<unsigned>(id);
    i_ += 2;
    const std::vector<Argument> box = arguments();
    if (!numbers(box, 0, {&dialog.x, &dialog.y, &dialog.width, &dialog.height})) {
      fail("dialog " + std::to_string(id) + " needs x, y, width and height");
      return false;
    }
    while (i_ < t_.size() && !is_word("BEGIN")) {
      if (is_word("CAPTION") && i_ + 1 < t_.size() && t_[i_ + 1].kind == Token::Kind::Text) {
        dialog.caption = t_[i_ + 1].text;
        i_ += 2;
      } else {
        ++i_;
        arguments();
      }
    }
    if (!skip_to("BEGIN")) return false;
    while (i_ < t_.size() && !is_word("END")) {
      if (!control(dialog)) return false;
    }
    if (!skip_to("END")) return false;
    resources.dialogs.push_back(std::move(dialog));
    return true;
  }

  bool control(ParsedDialog& dialog) {
    const Token keyword = t_[i_];
    if (keyword.kind != Token::Kind::Word || control_keywords().count(keyword.text) == 0) {
      fail("unknown control \"" + keyword.text + "\" in dialog " + std::to_string(dialog.id));
      return false;
    }
    ++i_;
    const std::vector<Argument> args = arguments();
    ParsedControl control;
    const std::string& k = keyword.text;
    std::size_t style_at = 0;
    bool ok = true;
    long id = -1;
    if (k == "EDITTEXT") {
      control.kind = ControlKind::Edit;
      ok = !args.empty() && number_of(args[0], id) &&
           numbers(args, 1, {&control.x, &control.y, &control.width, &control.height});
      style_at = 5;
    } else if (k == "CONTROL") {
      ok = args.size() >= 8 && text_of(args[0], control.text) && number_of(args[1], id) &&
           text_of(args[2], control.window_class) &&
           numbers(args, 4, {&control.x, &control.y, &control.width, &control.height});
      control.kind = control.window_class == "msctls_progress32" ? ControlKind::Progress : ControlKind::Other;
      style_at = 3;
    } else {
      ok = args.size() >= 6 && text_of(args[0], control.text) && number_of(args[1], id) &&
           numbers(args, 2, {&control.x, &control.y, &control.width, &control.height});
      style_at = 6;
      if (k == "GROUPBOX") control.kind = ControlKind::GroupBox;
      else if (k == "PUSHBUTTON" || k == "DEFPUSHBUTTON") control.kind = ControlKind::Button;
      else if (k == "CHECKBOX" || k == "AUTOCHECKBOX") control.kind = ControlKind::CheckBox;
      else if (k == "RADIOBUTTON" || k == "AUTORADIOBUTTON") control.kind = ControlKind::RadioButton;
      else control.kind = ControlKind::Label;
    }
    if (!ok) {
      fail(k + " in dialog " + std::to_string(dialog.id) + " has the wrong arguments");
      return false;
    }
    control.id = id;
    control.tab_stop = control.kind == ControlKind::Button || control.kind == ControlKind::CheckBox ||
                       control.kind == ControlKind::RadioButton || control.kind == ControlKind::Edit;
    if (style_at < args.size()) {
      const Argument& style = args[style_at];
      for (std::size_t j = 0; j < style.size(); ++j) {
        if (style[j].text != "WS_TABSTOP") continue;
        control.tab_stop = !(j > 0 && style[j - 1].text == "NOT");
      }
    }
    dialog.controls.push_back(std::move(control));
    return true;
  }

  bool string_table(ParsedResources& resources) {
    if (!skip_to("BEGIN")) return false;
    while (i_ < t_.size() && !is_word("END")) {
      long id = 0;
      if (!number_of({t_[i_]}, id) || id < 0) {
        fail("a string needs a number");
        return false;
      }
      ++i_;
      if (i_ < t_.size() && t_[i_].kind == Token::Kind::Comma) ++i_;
      if (i_ >= t_.size() || t_[i_].kind != Token::Kind::Text) {
        fail("string " + std::to_string(id) + " needs a text");
        return false;
      }
      resources.strings.emplace_back(static_cast<unsigned>(id), t_[i_].text);
      ++i_;
    }
    return skip_to("END");
  }

  std::vector<Token> t_;
  std::size_t i_ = 0;
  std::string& error_;
};

// A C++ string literal of `text`; every byte outside printable ASCII as a 3-digit octal escape.
std::string literal(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || byte >= 0x7F || c == '?') {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\%03o", byte);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

const char* kind_name(ControlKind kind) {
  switch (kind) {
    case ControlKind::Label: return "Label";
    case ControlKind::GroupBox: return "GroupBox";
    case ControlKind::Button: return "Button";
    case ControlKind::CheckBox: return "CheckBox";
    case ControlKind::RadioButton: return "RadioButton";
    case ControlKind::Edit: return "Edit";
    case ControlKind::Progress: return "Progress";
    case ControlKind::Other: return "Other";
  }
  return "Other";
}

}  // namespace

std::optional<ParsedResources> parse_resource_script(const std::string& script, std::string& error) {
  std::vector<Token> tokens;
  if (!Tokenizer(script).run(tokens, error)) return std::nullopt;
  return Parser(std::move(tokens), error).run();
}

std::string resource_table_source(const ParsedResources& resources, const std::string& symbol) {
  std::ostringstream out;
  out << "// Made by resource_table_generator from a resource script at build time; do not edit.\n"
      << "#include \"platform/resources.h\"\n\nnamespace {\n\nusing platform::ControlKind;\n\n";
  for (const ParsedDialog& dialog : resources.dialogs) {
    out << "const platform::ControlTemplate kDialog" << dialog.id << "[] = {\n";
    for (const ParsedControl& c : dialog.controls) {
      out << "    {ControlKind::" << kind_name(c.kind) << ", " << c.id << ", " << literal(c.text) << ", "
          << literal(c.window_class) << ", " << c.x << ", " << c.y << ", " << c.width << ", " << c.height << ", "
          << (c.tab_stop ? "true" : "false") << "},\n";
    }
    if (dialog.controls.empty()) out << "    {ControlKind::Other, 0, \"\", \"\", 0, 0, 0, 0, false},\n";
    out << "};\n\n";
  }
  out << "const platform::DialogTemplate kDialogs[] = {\n";
  for (const ParsedDialog& d : resources.dialogs) {
    out << "    {" << d.id << "u, " << literal(d.caption) << ", " << d.x << ", " << d.y << ", " << d.width << ", "
        << d.height << ", kDialog" << d.id << ", " << d.controls.size() << "},\n";
  }
  if (resources.dialogs.empty()) out << "    {0u, \"\", 0, 0, 0, 0, nullptr, 0},\n";
  out << "};\n\nconst platform::StringEntry kStrings[] = {\n";
  for (const auto& [id, text] : resources.strings) out << "    {" << id << "u, " << literal(text) << "},\n";
  if (resources.strings.empty()) out << "    {0u, \"\"},\n";
  out << "};\n\n}  // namespace\n\nextern const platform::ResourceTable " << symbol << ";\n"
      << "const platform::ResourceTable " << symbol << " = {kDialogs, " << resources.dialogs.size()
      << ", kStrings, " << resources.strings.size() << "};\n";
  return out.str();
}

}  // namespace platform::detail
