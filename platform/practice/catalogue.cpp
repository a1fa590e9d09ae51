// The catalogue of practice tables, made from each record type's entry.
#include "platform/practice/catalogue.h"

#include <tuple>
#include <utility>

#include "store_settings.h"

namespace platform {

namespace {

template <class... Records>
std::vector<TableDefinition> definitions_of(std::tuple<Records...>*) {
  return {practice_table_definition<Records>()...};
}

}  // namespace

const std::vector<TableDefinition>& practice_tables() {
  static const std::vector<TableDefinition> catalogue = definitions_of(static_cast<PracticeRecordTypes*>(nullptr));
  return catalogue;
}

const TableDefinition* find_practice_table(const std::string& file_name) {
  for (const TableDefinition& definition : practice_tables()) {
    if (same_file_name(definition.file_name, file_name)) return &definition;
  }
  return nullptr;
}

}  // namespace platform
