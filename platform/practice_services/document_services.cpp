// The document services' stand-in: the practice's documents are files in DOCUMENTS of the data
// path; see platform/document_services.h.
#include "platform/document_services.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "platform/config.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

DocumentServiceScript* g_script = nullptr;

fs::path documents_folder() {
  TK_CONF conf{};
  config_read_conf010(&conf);
  return fs::path(conf.data_path) / "DOCUMENTS";
}

// The names of the documents in `folder` that begin with `prefix`, in name order.
std::vector<std::string> document_names(const fs::path& folder, const std::string& prefix) {
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (!it->is_regular_file(error)) continue;
    std::string name = it->path().filename().string();
    if (name.empty() || name[0] == '.' || name.compare(0, prefix.size(), prefix) != 0) continue;
    names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());
  return names;
}

int select_documents(SDCO_SELECTION_REQUEST* request) {
  request->answer.clear();
  const fs::path folder = documents_folder();
  const std::string prefix = request->text.str();
  for (const std::string& name : document_names(folder, prefix)) {
    SDCO_SELECTION_ITEM item;
    item.path = (folder / name).string();
    request->answer.push_back(std::move(item));
  }
  for (const std::string& name : document_names(folder / "STORED", prefix)) {
    SDCO_SELECTION_ITEM item;
    item.path = name;
    item.source = (folder / "STORED" / name).string();
    request->answer.push_back(std::move(item));
  }
  return 0;
}

int convert_document(SDCO_CONVERSION_REQUEST* request) {
  const fs::path source(request->input.str());
  std::error_code error;
  if (request->input.empty() || !fs::is_regular_file(source, error)) return 12;
  const fs::path opened = documents_folder() / "OPENED";
  fs::create_directories(opened, error);
  const fs::path target = opened / source.filename();
  if (error || !fs::copy_file(source, target, fs::copy_options::overwrite_existing, error) || error) return 2;
  request->output = target.string();
  return 0;
}

}  // namespace

DocumentServiceScript::DocumentServiceScript(Handler handler)
    : handler_(std::move(handler)), previous_(g_script) {
  g_script = this;
}

DocumentServiceScript::~DocumentServiceScript() { g_script = previous_; }

}  // namespace platform

int sdco004_call_DLL(int service, void* request) {
  if (platform::g_script != nullptr) return platform::g_script->call(service, request);
  if (request == nullptr) return 1;
  switch (service) {
    case kSdcoDocumentSelection:
      return platform::select_documents(static_cast<SDCO_SELECTION_REQUEST*>(request));
    case kSdcoConversion:
      return platform::convert_document(static_cast<SDCO_CONVERSION_REQUEST*>(request));
    default:
      return 1;
  }
}
