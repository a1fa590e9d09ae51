// `qarntash-host validation-report FILE.json`: the electronic return validation report of a list
// of messages.
//
// The file holds the messages, in the order to print them, either as a list or with the return's
// name beside them:
//   [{"heading": "Employment 1, box 4", "text": "The employer's PAYE reference must be given."}]
//   {"return": "J Smith 2022", "messages": [ ... ]}
// A message without a heading or text prints an empty line in its place. A key other than these,
// a key given twice or a text holding a NUL character is refused.
#include <initializer_list>
#include <list>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "commands.h"
#include "json_input.h"
#include "qarntash/qarntash.h"
#include "report_output.h"

namespace host {

namespace {

struct ValidationInput {
  std::string return_name;
  std::list<ReturnValidationMessage> messages;
};

// The library's progress window for the life of one piece of work, closed however it ends.
class ProgressWindow {
 public:
  ProgressWindow(const char* title, const char* message) { Start_Progress_Bar_prog010(nullptr, title, message); }
  ~ProgressWindow() { End_Progress_Bar_prog010(); }
  ProgressWindow(const ProgressWindow&) = delete;
  ProgressWindow& operator=(const ProgressWindow&) = delete;
};

// A message's text: absent or null is empty. Text with a NUL character is refused, since the
// report would print only what comes before it.
std::string text_field(const nlohmann::json& message, const char* name, std::size_t index) {
  if (!message.contains(name) || message[name].is_null()) return "";
  const std::string where = "message " + std::to_string(index + 1) + ": \"" + name + "\"";
  if (!message[name].is_string()) throw CLI::ValidationError("file", where + " is not a text");
  const std::string text = message[name].get<std::string>();
  if (text.find('\0') != std::string::npos) {
    throw CLI::ValidationError("file", where + " holds a NUL character (\\u0000), which would cut the text short");
  }
  return text;
}

// Refuses a key that is not one of `known`, as a misspelt key would otherwise be dropped unseen.
void refuse_unknown_keys(const nlohmann::json& object, std::initializer_list<const char*> known,
                         const std::string& where) {
  for (const auto& item : object.items()) {
    bool found = false;
    for (const char* key : known) found = found || item.key() == key;
    if (!found) {
      std::string allowed;
      for (const char* key : known) allowed += std::string(allowed.empty() ? "" : ", ") + "\"" + key + "\"";
      throw CLI::ValidationError("file", where + ": unknown key \"" + item.key() + "\" (the keys are " + allowed + ")");
    }
  }
}

ValidationInput read_messages(const std::string& path, const std::string& return_name) {
  std::string text;
  std::string error;
  nlohmann::json document;
  if (!read_input_file(path, text, error)) throw CLI::ValidationError("file", error);
  if (!parse_json_strictly(text, document, error)) throw CLI::ValidationError("file", path + " is " + error);

  ValidationInput input{return_name, {}};
  const nlohmann::json* list = &document;
  if (document.is_object()) {
    refuse_unknown_keys(document, {"return", "messages"}, path);
    if (document.contains("return") && !document["return"].is_string()) {
      throw CLI::ValidationError("file", path + ": \"return\" is not a text");
    }
    if (input.return_name.empty() && document.contains("return")) {
      input.return_name = document["return"].get<std::string>();
    }
    if (!document.contains("messages")) throw CLI::ValidationError("file", path + " has no \"messages\"");
    list = &document["messages"];
  }
  if (!list->is_array()) throw CLI::ValidationError("file", path + ": the messages are not a list");
  const ProgressWindow progress("Reading messages", path.c_str());
  for (std::size_t i = 0; i < list->size(); ++i) {
    Update_Progress_Bar_prog010(static_cast<int>(100 * (i + 1) / list->size()), ("Message " + std::to_string(i + 1)).c_str());
    const nlohmann::json& message = (*list)[i];
    if (!message.is_object()) {
      throw CLI::ValidationError("file", "message " + std::to_string(i + 1) + " is not an object");
    }
    refuse_unknown_keys(message, {"heading", "text"}, "message " + std::to_string(i + 1));
    input.messages.push_back(ReturnValidationMessage{text_field(message, "text", i), text_field(message, "heading", i)});
  }
  return input;
}

}  // namespace

void add_validation_report_command(CLI::App& app) {
  struct Options {
    std::string file;
    std::string return_name;
    std::string output = kDefaultReportFolder;
  };
  auto options = std::make_shared<Options>();
  CLI::App* command = app.add_subcommand(
      "validation-report", "Print the electronic return validation report of a JSON list of messages");
  command->add_option("file", options->file, "JSON file: a list of {\"heading\", \"text\"} messages")->required();
  command->add_option("--return", options->return_name, "The return's name (else the file's \"return\")");
  command->add_option("--output", options->output, "Folder for the report file")->capture_default_str();
  command->callback([options]() {
    ValidationInput input = read_messages(options->file, options->return_name);
    use_report_folder(options->output);
    DoXmlValidationReport(&input.messages, input.return_name, nullptr);
    if (!show_last_report()) throw CLI::RuntimeError(1);
  });
}

}  // namespace host
