// A practice data folder: every table of the catalogue, made where the set-up program says.
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/practice/catalogue.h"

namespace platform {

int create_practice_table(const std::string& data_path, const std::string& file_name) {
  const TableDefinition* definition = find_practice_table(file_name);
  if (definition == nullptr) return BTR_INVALID_FILE_NAME;
  return create_table_file(data_path, *definition);
}

int create_practice_data_folder(const std::string& data_path) {
  std::error_code error;
  if (!data_path.empty() && !is_server_data_path(data_path)) std::filesystem::create_directories(data_path, error);
  if (error) return BTR_IO_ERROR;
  for (const TableDefinition& definition : practice_tables()) {
    if (!find_table_file(data_path, definition.file_name).empty()) continue;
    const int status = create_table_file(data_path, definition);
    if (status != BTR_OK) return status;
  }
  return BTR_OK;
}

int copy_practice(const std::string& from, const std::string& to,
                  const std::function<void(const std::string&, int, int)>& progress, std::string* problem) {
  std::vector<std::string> tables;
  for (const TableDefinition& definition : practice_tables()) {
    if (!find_table_file(to, definition.file_name).empty()) {
      if (problem != nullptr) *problem = definition.file_name + ": the target already holds practice tables";
      return BTR_FILE_EXISTS;
    }
    if (!find_table_file(from, definition.file_name).empty()) tables.push_back(definition.file_name);
  }
  if (tables.empty()) {
    if (problem != nullptr) *problem = "no practice tables to copy there";
    return BTR_FILE_NOT_FOUND;
  }
  std::error_code error;
  if (!is_server_data_path(to) && !to.empty()) std::filesystem::create_directories(to, error);
  int done = 0;
  for (const std::string& file_name : tables) {
    std::string what;
    int status = copy_table(from, to, file_name, &what);
    if (status == BTR_OK) status = compare_tables(from, to, file_name, &what);
    if (status != BTR_OK) {
      if (problem != nullptr) *problem = file_name + ": " + what;
      return status;
    }
    if (progress) progress(file_name, ++done, static_cast<int>(tables.size()));
  }
  return BTR_OK;
}

}  // namespace platform
