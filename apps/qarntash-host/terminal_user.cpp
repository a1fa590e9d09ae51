#include "terminal_user.h"

#include <curses.h>
#include <form.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace host {
namespace {

using platform::ControlKind;
using platform::FormControl;

constexpr int kEscape = 27;
constexpr int kDialogUnitsPerColumn = 4;
// A template's rows usually stand 14 or 16 units apart: 7 units a line keeps them evenly spaced.
constexpr int kDialogUnitsPerLine = 7;

// The one curses screen of the process, made on first use; between forms the terminal is left in
// its normal state so that the program's other output reads as usual.
class Curses {
 public:
  static bool begin() {
    static SCREEN* screen = make_screen();
    if (screen == nullptr) return false;
    if (depth_++ == 0) {
      reset_prog_mode();
      refresh();
    }
    return true;
  }
  static void end() {
    if (--depth_ == 0) {
      clear();
      refresh();
      endwin();
    }
  }

 private:
  static SCREEN* make_screen() {
    SCREEN* screen = newterm(nullptr, stdout, stdin);
    if (screen == nullptr) return nullptr;
    set_term(screen);
    cbreak();
    noecho();
    keypad(stdscr, TRUE);
    set_escdelay(25);
    def_prog_mode();
    // Leaves curses mode if the program exits inside a screen. Only then: a second endwin would
    // send the terminal's exit sequence again, putting the cursor back where the first screen
    // opened, over what the program printed since.
    std::atexit([] {
      if (!isendwin()) endwin();
    });
    return screen;
  }
  static inline int depth_ = 0;
};

struct CursesSession {
  bool active = Curses::begin();
  ~CursesSession() {
    if (active) Curses::end();
  }
};

// A caption as shown: without the '&' that marks its letter.
std::string shown_caption(const std::string& caption) {
  std::string text;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) continue;
    text += caption[i];
  }
  return text;
}

// `text` in lines of at most `width` columns, broken at blanks where it can be.
std::vector<std::string> wrap(const std::string& text, int width) {
  std::vector<std::string> lines;
  std::string line;
  std::size_t i = 0;
  while (i <= text.size()) {
    if (i == text.size() || text[i] == '\n') {
      lines.push_back(line);
      line.clear();
      ++i;
      continue;
    }
    line += text[i++];
    if (static_cast<int>(line.size()) > width) {
      const std::size_t blank = line.rfind(' ');
      const std::size_t cut = blank != std::string::npos && blank > 0 ? blank : static_cast<std::size_t>(width);
      lines.push_back(line.substr(0, cut));
      line = line.substr(cut == blank ? cut + 1 : cut);
    }
  }
  return lines;
}

std::string money_text(double amount) {
  char text[64];
  std::snprintf(text, sizeof text, "%.2f", amount);
  return text;
}

std::string trimmed(const char* buffer) {
  std::string text = buffer != nullptr ? buffer : "";
  const std::size_t end = text.find_last_not_of(' ');
  return end == std::string::npos ? "" : text.substr(0, end + 1);
}

bool is_focusable(const FormControl& c) {
  if (!c.visible || !c.enabled || c.display_only) return false;
  switch (c.kind) {
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
    case ControlKind::Button: return true;
    case ControlKind::Edit:
      return c.field == FormControl::Field::String || c.field == FormControl::Field::Money ||
             c.field == FormControl::Field::None;
    default: return c.field == FormControl::Field::String;
  }
}

bool is_editable(const FormControl& c) {
  return is_focusable(c) && c.kind != ControlKind::CheckBox && c.kind != ControlKind::RadioButton &&
         c.kind != ControlKind::Button;
}

std::string value_text(const FormControl& c) {
  return c.field == FormControl::Field::Money ? money_text(c.money) : c.text;
}

// One drawing of a form: a bordered window laid out from the template, with an ncurses FORM
// over its editable text fields.
class FormScreen {
 public:
  explicit FormScreen(const platform::FormState& state, const std::string& notice) {
    const int lines = state.height / kDialogUnitsPerLine + 3;
    const int columns = state.width / kDialogUnitsPerColumn + 3;
    // Everything goes out in one update, so that the terminal never shows a half-drawn form.
    werase(stdscr);
    wnoutrefresh(stdscr);
    window_ = newwin(std::min(lines, LINES - 1), std::min(columns, COLS), 0, 0);
    keypad(window_, TRUE);
    for (const FormControl& c : state.controls) {
      if (c.visible && is_editable(c)) draw(state, c, state.focus == c.id);
    }
    if (!fields_.empty()) {
      fields_.push_back(nullptr);
      form_ = new_form(fields_.data());
      set_form_win(form_, window_);
      set_form_sub(form_, window_);
      post_form(form_);
      for (const FormControl& c : state.controls) {
        if (c.id == state.focus && edits_.count(c.id) != 0) set_current_field(form_, edits_.at(c.id).field);
      }
    }
    // Posting a form clears its window, so the border and the other controls come after it.
    wborder(window_, '|', '|', '-', '-', '+', '+', '+', '+');
    mvwprintw(window_, 0, 2, " %s ", state.title.c_str());
    for (const FormControl& c : state.controls) {
      if (c.visible && !is_editable(c)) draw(state, c, state.focus == c.id);
    }
    std::string help = "Tab/arrows move  Space ticks  Enter OK  Esc Cancel";
    if (std::find(state.taken_keys.begin(), state.taken_keys.end(), 119ul) != state.taken_keys.end()) help += "  F8";
    if (state.has_status_bar && !state.status_bar.empty()) help = state.status_bar + "  " + help;
    if (!notice.empty()) help = notice;
    mvprintw(getmaxy(window_), 0, "%s", help.c_str());
    wnoutrefresh(stdscr);
    place_cursor(state.focus);
  }

  ~FormScreen() {
    if (form_ != nullptr) {
      unpost_form(form_);
      free_form(form_);
    }
    for (FIELD* field : fields_) {
      if (field != nullptr) free_field(field);
    }
    delwin(window_);
  }
  FormScreen(const FormScreen&) = delete;
  FormScreen& operator=(const FormScreen&) = delete;

  int read_key() { return wgetch(window_); }
  bool editing(long id) const { return edits_.count(id) != 0; }
  void drive(int request) {
    if (form_ != nullptr) form_driver(form_, request);
    wrefresh(window_);
  }
  // The edited text of field `id` when the person changed it.
  bool changed_text(long id, std::string& text) {
    const auto found = edits_.find(id);
    if (found == edits_.end() || form_ == nullptr) return false;
    form_driver(form_, REQ_VALIDATION);
    text = trimmed(field_buffer(found->second.field, 0));
    return text != found->second.shown;
  }

 private:
  struct Edit {
    FIELD* field;
    std::string shown;
  };

  static int row_of(int y) { return 1 + y / kDialogUnitsPerLine; }
  // The line a control's text stands on. A template sets a label or tick a few units lower than
  // the box beside it, to line up their text; by their own tops the two may fall on adjacent
  // lines. So a control whose middle falls within a taller box of one line takes that box's line.
  static int text_row_of(const platform::FormState& state, const FormControl& c) {
    const int middle = c.rect.y + std::min(c.rect.height, 12) / 2;
    const FormControl* anchor = &c;
    for (const FormControl& other : state.controls) {
      const bool one_line = other.kind != ControlKind::GroupBox && other.rect.height <= 14;
      if (other.visible && one_line && other.rect.height > anchor->rect.height && other.rect.y <= middle &&
          middle < other.rect.bottom()) {
        anchor = &other;
      }
    }
    return row_of(anchor->rect.y);
  }
  static int column_of(int x) { return 1 + x / kDialogUnitsPerColumn; }

  void put(int row, int column, const std::string& text, int width, attr_t attributes) {
    const int room = std::min(width, getmaxx(window_) - 1 - column);
    if (row <= 0 || row >= getmaxy(window_) - 1 || room <= 0) return;
    wattron(window_, attributes);
    mvwaddnstr(window_, row, column, text.c_str(), room);
    wattroff(window_, attributes);
  }

  // A group's lower border: where the template puts it, but always below the controls it holds
  // (a tight group's last row would otherwise be drawn over by the border).
  static int group_bottom_row(const platform::FormState& state, const FormControl& group) {
    int bottom = row_of(group.rect.bottom()) - 1;
    for (const FormControl& c : state.controls) {
      const bool inside = c.rect.x >= group.rect.x && c.rect.y > group.rect.y && c.rect.bottom() <= group.rect.bottom() &&
                          c.rect.x + c.rect.width <= group.rect.x + group.rect.width;
      if (c.visible && c.kind != ControlKind::GroupBox && inside) bottom = std::max(bottom, text_row_of(state, c) + 1);
    }
    return bottom;
  }

  void draw(const platform::FormState& state, const FormControl& c, bool focused) {
    const int row = c.kind == ControlKind::GroupBox ? row_of(c.rect.y) : text_row_of(state, c);
    const int column = column_of(c.rect.x);
    const int width = std::max(1, c.rect.width / kDialogUnitsPerColumn);
    const attr_t look = (focused ? A_REVERSE : A_NORMAL) | (c.enabled ? A_NORMAL : A_DIM);
    switch (c.kind) {
      case ControlKind::GroupBox: {
        const int bottom = std::min(group_bottom_row(state, c), getmaxy(window_) - 2);
        const int right = std::min(column + width - 1, getmaxx(window_) - 2);
        if (bottom > row && right > column) {
          // Plain characters, so that any terminal (and a captured screen) shows the same.
          mvwhline(window_, row, column, '-', right - column);
          mvwhline(window_, bottom, column, '-', right - column);
          mvwvline(window_, row, column, '|', bottom - row);
          mvwvline(window_, row, right, '|', bottom - row);
          for (const auto& [y, x] : {std::pair{row, column}, {row, right}, {bottom, column}, {bottom, right}}) {
            mvwaddch(window_, y, x, '+');
          }
        }
        put(row, column + 2, " " + shown_caption(c.text) + " ", width - 3, A_NORMAL);
        break;
      }
      case ControlKind::CheckBox: {
        const std::vector<std::string> lines = wrap(shown_caption(c.text), std::max(1, width - 4));
        put(row, column, c.checked ? "[x]" : "[ ]", 3, look);
        for (std::size_t i = 0; i < lines.size(); ++i) put(row + static_cast<int>(i), column + 4, lines[i], width - 4, A_NORMAL);
        break;
      }
      case ControlKind::RadioButton:
        put(row, column, c.checked ? "(*)" : "( )", 3, look);
        put(row, column + 4, shown_caption(c.text), width - 4, A_NORMAL);
        break;
      case ControlKind::Button:
        put(row, column, "< " + shown_caption(c.text) + " >", width + 4, look);
        break;
      case ControlKind::Progress: {
        const int filled = width * std::clamp(c.position, 0, 100) / 100;
        put(row, column, std::string(filled, '#') + std::string(width - filled, '.'), width, A_NORMAL);
        break;
      }
      default:
        if (is_editable(c)) {
          FIELD* field = new_field(1, width, row, column, 0, 0);
          field_opts_off(field, O_AUTOSKIP);
          if (c.field != FormControl::Field::String) field_opts_off(field, O_STATIC);
          set_field_back(field, A_UNDERLINE);
          const std::string shown = value_text(c);
          set_field_buffer(field, 0, shown.c_str());
          fields_.push_back(field);
          edits_[c.id] = Edit{field, shown};
        } else {
          const std::vector<std::string> lines = wrap(value_text(c), width);
          const int height = std::max(1, c.rect.height / kDialogUnitsPerLine);
          const attr_t shade = c.kind == ControlKind::Edit ? A_UNDERLINE : A_NORMAL;
          for (int i = 0; i < std::min(height, static_cast<int>(lines.size())); ++i) put(row + i, column, lines[i], width, shade);
        }
        break;
    }
  }

  void place_cursor(long focus) {
    if (editing(focus)) {
      curs_set(1);
      pos_form_cursor(form_);
    } else {
      curs_set(0);
    }
    wnoutrefresh(window_);
    doupdate();
  }

  WINDOW* window_ = nullptr;
  FORM* form_ = nullptr;
  std::vector<FIELD*> fields_;
  std::map<long, Edit> edits_;
};

// The next control to take the focus after (or before) `from`, in template order, round.
long neighbour(const platform::FormState& state, long from, int direction) {
  std::vector<long> order;
  for (const FormControl& c : state.controls) {
    if (is_focusable(c)) order.push_back(c.id);
  }
  if (order.empty()) return 0;
  const auto at = std::find(order.begin(), order.end(), from);
  if (at == order.end()) return order.front();
  const auto index = static_cast<long>(at - order.begin());
  const auto count = static_cast<long>(order.size());
  return order[static_cast<std::size_t>(((index + direction) % count + count) % count)];
}

// A centred box of `lines` with a line of `choices`; returns the key pressed.
int centred_box(const std::string& title, const std::vector<std::string>& lines, const std::string& choices) {
  int width = static_cast<int>(std::max(title.size() + 4, choices.size() + 4));
  for (const std::string& line : lines) width = std::max(width, static_cast<int>(line.size()) + 4);
  width = std::min(width, COLS);
  const int height = std::min(static_cast<int>(lines.size()) + 4, LINES);
  WINDOW* window = newwin(height, width, std::max(0, (LINES - height) / 2), std::max(0, (COLS - width) / 2));
  keypad(window, TRUE);
  wborder(window, '|', '|', '-', '-', '+', '+', '+', '+');
  mvwprintw(window, 0, 2, " %s ", title.c_str());
  for (std::size_t i = 0; i < lines.size(); ++i) mvwaddnstr(window, static_cast<int>(i) + 1, 2, lines[i].c_str(), width - 4);
  mvwaddnstr(window, height - 2, 2, choices.c_str(), width - 4);
  curs_set(0);
  wrefresh(window);
  const int key = wgetch(window);
  delwin(window);
  touchwin(stdscr);
  refresh();
  return key;
}

}  // namespace

char TerminalUser::answer(const platform::UserMessage& message) {
  if (!interactive_) return message.default_button;
  CursesSession session;
  if (!session.active) return message.default_button;
  std::string choices;
  for (std::size_t i = 0; i < message.buttons.size(); ++i) {
    const std::string caption = i < message.captions.size() ? shown_caption(message.captions[i])
                                                            : std::string(1, message.buttons[i]);
    choices += std::string(choices.empty() ? "" : "  ") + "[" + message.buttons[i] + "] " + caption;
  }
  const std::vector<std::string> lines = wrap(message.text, std::max(20, std::min(70, COLS - 6)));
  for (;;) {
    const int key = centred_box(message.caption, lines, choices);
    if (key == '\n' || key == KEY_ENTER) return message.default_button;
    if (key == kEscape) {
      for (char letter : {'C', 'N', 'A'}) {
        if (message.buttons.find(letter) != std::string::npos) return letter;
      }
      return message.default_button;
    }
    const char letter = static_cast<char>(std::toupper(key & 0x7F));
    if (key < 0x80 && message.buttons.find(letter) != std::string::npos) return letter;
  }
}

void TerminalUser::run_form(fp_FORM& form) {
  CursesSession session;
  if (!interactive_ || !session.active) {
    form.user_cancel();
    return;
  }
  std::unique_ptr<FormScreen> screen;
  std::string notice;
  while (!form.finished()) {
    if (!screen) screen = std::make_unique<FormScreen>(form.state(), notice);
    const long focus = form.state().focus;
    const int key = screen->read_key();
    const bool editing = screen->editing(focus);
    // Text typed into the field with the cursor goes to the form before any other action.
    auto commit = [&] {
      std::string text;
      if (editing && screen->changed_text(focus, text)) form.user_type(focus, text);
    };
    const FormControl* current = form.state().find(focus);
    bool redraw = true;
    switch (key) {
      case '\t':
      case KEY_DOWN:
        commit();
        form.user_enter(neighbour(form.state(), form.state().focus, 1));
        break;
      case KEY_BTAB:
      case KEY_UP:
        commit();
        form.user_enter(neighbour(form.state(), form.state().focus, -1));
        break;
      case '\n':
      case '\r':
      case KEY_ENTER:
        commit();
        if (current != nullptr && current->kind == ControlKind::Button && focus != 1 && focus != 2 &&
            form.state().focus == focus) {
          form.user_push(focus);
        } else {
          form.user_ok();
        }
        break;
      case kEscape:
        form.user_cancel();
        break;
      case KEY_F(8):
        commit();
        form.user_key(kKeyF8);
        break;
      case ' ':
        if (editing) {
          screen->drive(key);
          redraw = false;
        } else if (current != nullptr && current->kind == ControlKind::CheckBox) {
          form.user_tick(focus, !current->checked);
        } else if (current != nullptr && current->kind == ControlKind::RadioButton) {
          form.user_choose(focus);
        } else if (current != nullptr && current->kind == ControlKind::Button) {
          form.user_push(focus);
        }
        break;
      case KEY_BACKSPACE:
      case 127:
      case 8:
        screen->drive(REQ_DEL_PREV);
        redraw = false;
        break;
      case KEY_LEFT:
      case KEY_RIGHT:
        // Within a text box the arrows move along the text; elsewhere they move the focus, as the
        // other arrows do, so that the highlighted control is always the one that takes the keys.
        if (editing) {
          screen->drive(key == KEY_LEFT ? REQ_PREV_CHAR : REQ_NEXT_CHAR);
          redraw = false;
        } else {
          form.user_enter(neighbour(form.state(), form.state().focus, key == KEY_LEFT ? -1 : 1));
        }
        break;
      default:
        if (editing && key >= 0x20 && key < 0x100) screen->drive(key);
        redraw = false;
        break;
    }
    if (redraw) {
      notice = notice_;
      screen.reset();
    }
  }
}

platform::SpellAnswer TerminalUser::check_word(const platform::SpellQuery& query) {
  if (!interactive_) return platform::SpellAnswer::Ignore();
  CursesSession session;
  if (!session.active) return platform::SpellAnswer::Ignore();
  std::vector<std::string> lines{"Not in the dictionary: " + query.word, ""};
  const std::size_t shown = std::min<std::size_t>(query.suggestions.size(), 9);
  for (std::size_t i = 0; i < shown; ++i) lines.push_back(std::to_string(i + 1) + "  " + query.suggestions[i]);
  if (shown == 0) lines.push_back("(no suggestions)");
  for (;;) {
    const int key = centred_box("Spelling", lines, "[1-9] replace  [I]gnore  [Esc] cancel");
    if (key == kEscape) return platform::SpellAnswer::Cancel();
    if (key == 'i' || key == 'I') return platform::SpellAnswer::Ignore();
    if (key >= '1' && key < '1' + static_cast<int>(shown)) {
      return platform::SpellAnswer::Replace(query.suggestions[static_cast<std::size_t>(key - '1')]);
    }
  }
}

}  // namespace host
