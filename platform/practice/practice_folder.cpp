// A practice data folder: every table of the catalogue, made where the set-up program says.
#include <filesystem>
#include <system_error>

#include "platform/practice/catalogue.h"

namespace platform {

int create_practice_table(const std::string& data_path, const std::string& file_name) {
  const TableDefinition* definition = find_practice_table(file_name);
  if (definition == nullptr) return BTR_INVALID_FILE_NAME;
  return create_table_file(data_path, *definition);
}

int create_practice_data_folder(const std::string& data_path) {
  std::error_code error;
  if (!data_path.empty()) std::filesystem::create_directories(data_path, error);
  if (error) return BTR_IO_ERROR;
  for (const TableDefinition& definition : practice_tables()) {
    if (!find_table_file(data_path, definition.file_name).empty()) continue;
    const int status = create_table_file(data_path, definition);
    if (status != BTR_OK) return status;
  }
  return BTR_OK;
}

}  // namespace platform
