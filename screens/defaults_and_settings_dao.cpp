// The practice defaults table, one entry type per object.
#include "defaults_and_settings_dao.h"

#include <cstring>
#include <initializer_list>

#include "qarntash/library.h"

namespace {

constexpr const char* kSourceName = "DefaultsAndSettingsDAO";
constexpr int kUnexpectedLookupMessage = 3112;
// The key fields are also kept as tagged fields.
constexpr long kEntryTypeTag = 9993;
constexpr long kZeroTag = 9994;

}  // namespace

namespace screens_internal {

namespace {

// A status code byte: the stored byte when it is one of the two others, else the default.
std::int32_t code_or(char stored, std::int32_t first, std::int32_t second, std::int32_t otherwise) {
  const auto code = static_cast<unsigned char>(stored);
  return code == first || code == second ? static_cast<std::int32_t>(code) : otherwise;
}

void put_code(char (&field)[2], std::int32_t value, std::int32_t first, std::int32_t second,
              std::int32_t otherwise) {
  field[0] = static_cast<char>(value == first || value == second ? value : otherwise);
  field[1] = 0;
}

bool is_yes(const char (&field)[2]) { return field[0] == 'Y'; }

void put_yes_no(char (&field)[2], bool yes) {
  field[0] = yes ? 'Y' : 'N';
  field[1] = 0;
}

void put_bit(std::int32_t& word, std::int32_t bit, bool set) { word = set ? (word | bit) : (word & ~bit); }

}  // namespace

void read_entry16(const ZORV2000_ENTRY16_TLD& stored, PracticeDefaults& values) {
  values.return_identifier = code_or(stored.return_identifier[0], 2, 3, 1);
  values.return_status = code_or(stored.return_status[0], 1, 3, 2);
  values.default_date = is_yes(stored.default_date);
  values.print_phone = is_yes(stored.print_phone);
  values.include_benefit_summaries = is_yes(stored.benefit_summaries);
  // An empty field counts as "Y": older entries were written without it.
  values.echecklist_current = stored.echecklist_current[0] == 'Y' || stored.echecklist_current[0] == 0;
  const std::int32_t locks = stored.lock_flags;
  values.electronic_return_lock = (locks & 1) != 0;
  values.final_return_lock = (locks & 2) != 0;
  values.r40_lock = (locks & 4) != 0;
}

void write_entry16(const PracticeDefaults& values, ZORV2000_ENTRY16_TLD& stored) {
  put_code(stored.return_identifier, values.return_identifier, 2, 3, 1);
  put_code(stored.return_status, values.return_status, 1, 3, 2);
  put_yes_no(stored.default_date, values.default_date);
  put_yes_no(stored.print_phone, values.print_phone);
  put_yes_no(stored.echecklist_current, values.echecklist_current);
  put_yes_no(stored.benefit_summaries, values.include_benefit_summaries);
  std::int32_t locks = stored.lock_flags;  // other programs' bits stay as read
  put_bit(locks, 1, values.electronic_return_lock);
  put_bit(locks, 2, values.final_return_lock);
  put_bit(locks, 4, values.r40_lock);
  stored.lock_flags = locks;
}

void read_entry19(const ZORV2000_ENTRY19_TLD& stored, PracticeDefaults& values) {
  values.date_time_stamp = stored.date_time_stamp == 'Y';
  values.computation_status = code_or(stored.computation_status[0], 1, 3, 2);
  values.employment_lock = (stored.employment_flags & 1) != 0;
  const std::int32_t suppress = stored.suppress_flags;
  values.suppress_payment_due_date = (suppress & 1) != 0;
  values.suppress_agent_details = (suppress & 2) != 0;
}

void write_entry19(const PracticeDefaults& values, ZORV2000_ENTRY19_TLD& stored) {
  stored.date_time_stamp = values.date_time_stamp ? 'Y' : 'N';
  put_code(stored.computation_status, values.computation_status, 1, 3, 2);
  std::int32_t employment = stored.employment_flags;
  put_bit(employment, 1, values.employment_lock);
  stored.employment_flags = employment;
  std::int32_t suppress = stored.suppress_flags;
  put_bit(suppress, 1, values.suppress_payment_due_date);
  put_bit(suppress, 2, values.suppress_agent_details);
  stored.suppress_flags = suppress;
}

void set_no_entry_values(int entry_type, PracticeDefaults& values) {
  const PracticeDefaults defaults;
  switch (entry_type) {
    case kZorv2000TaxReturnOptions:
      values.return_identifier = defaults.return_identifier;
      values.return_status = defaults.return_status;
      values.default_date = defaults.default_date;
      values.print_phone = defaults.print_phone;
      values.electronic_return_lock = defaults.electronic_return_lock;
      values.final_return_lock = defaults.final_return_lock;
      values.r40_lock = defaults.r40_lock;
      values.echecklist_current = defaults.echecklist_current;
      values.include_benefit_summaries = defaults.include_benefit_summaries;
      break;
    case kZorv2000ComputationOptions:
      values.date_time_stamp = defaults.date_time_stamp;
      values.computation_status = defaults.computation_status;
      values.employment_lock = defaults.employment_lock;
      values.suppress_payment_due_date = defaults.suppress_payment_due_date;
      values.suppress_agent_details = defaults.suppress_agent_details;
      break;
    case kZorv2000Entry44:
      std::memcpy(values.entry44_flags, defaults.entry44_flags, sizeof values.entry44_flags);
      break;
    default:
      break;
  }
}

}  // namespace screens_internal

namespace {

// The tags of each entry type that this library reads and writes; a write keeps the others.
bool owned_tag(int entry_type, std::int32_t tag) {
  switch (entry_type) {
    case kZorv2000ComputationOptions:
      return tag == 154 || tag == 155 || tag == 158 || tag == 159;  // 156 and 157 are not ours
    case kZorv2000Entry44:
      return tag == 4401;  // 4402 and 4403 are not ours
    default:
      return true;
  }
}

}  // namespace

CDefaultsAndSettingsDAO::CDefaultsAndSettingsDAO() {
  // A table that does not open leaves the handle null: every Read then gives the no-entry
  // values and every Write answers false.
  _tldopen(&handle_, "zorv2000.ttl", qarntash_configuration().data_path, 0, kSourceName, __LINE__, 1);
  // A file of that name whose keys are shorter than the entry key is not the defaults table: the
  // key could not be put into its buffers.
  constexpr int kKeyLength = sizeof(std::int32_t) + sizeof(std::int16_t);
  if (handle_ != nullptr && (handle_->key_length < kKeyLength || handle_->record_length < kKeyLength)) {
    _tldclose(&handle_, kSourceName, __LINE__, 1);
  }
}

CDefaultsAndSettingsDAO::~CDefaultsAndSettingsDAO() {
  if (handle_ != nullptr) _tldclose(&handle_, kSourceName, __LINE__, 1);
}

bool CDefaultsAndSettingsDAO::prepare(int entry_type) {
  if (fields_ != nullptr) return entry_type == prepared_type_;
  const TAGGED_FIELD_LAYOUT* layout = nullptr;
  char* part = nullptr;
  switch (entry_type) {
    case kZorv2000TaxReturnOptions:
      layout = zorv2000_entry16_tagged_fields();
      part = reinterpret_cast<char*>(&entry16_);
      break;
    case kZorv2000ComputationOptions:
      layout = zorv2000_entry19_tagged_fields();
      part = reinterpret_cast<char*>(&entry19_);
      break;
    case kZorv2000Entry44:
      layout = zorv2000_entry44_tagged_fields();
      part = reinterpret_cast<char*>(&entry44_);
      break;
    default:
      return false;
  }
  DFAC_TABLE* made = nullptr;
  if (dfac_init(&made, &part, 0, 0) != 0) return false;
  std::unique_ptr<DFAC_TABLE, FieldTableDeleter> fields(made);
  bool added = dfac_addtype(made, kEntryTypeTag, &key_fields_.entry_type, sizeof key_fields_.entry_type, FAC_KIND_RAW) == 0 &&
               dfac_addtype(made, kZeroTag, &key_fields_.zero, sizeof key_fields_.zero, FAC_KIND_RAW) == 0;
  for (const TAGGED_FIELD_LAYOUT* field = layout; added && field->tag != -1; ++field) {
    if (!owned_tag(entry_type, field->tag)) continue;
    added = dfac_addtype(made, field->tag, part + field->offset, field->length, field->kind) == 0;
  }
  if (!added) return false;
  fields_ = std::move(fields);
  prepared_type_ = entry_type;
  return true;
}

void CDefaultsAndSettingsDAO::put_key(int entry_type) {
  key_fields_.entry_type = entry_type;
  key_fields_.zero = 0;
  std::memset(handle_->key_buffer, 0, static_cast<std::size_t>(handle_->key_length));
  std::memcpy(handle_->key_buffer, &key_fields_.entry_type, sizeof key_fields_.entry_type);
  std::memcpy(handle_->key_buffer + sizeof key_fields_.entry_type, &key_fields_.zero, sizeof key_fields_.zero);
}

void CDefaultsAndSettingsDAO::to_values(int entry_type) {
  switch (entry_type) {
    case kZorv2000TaxReturnOptions: screens_internal::read_entry16(entry16_, values_); break;
    case kZorv2000ComputationOptions: screens_internal::read_entry19(entry19_, values_); break;
    case kZorv2000Entry44: std::memcpy(values_.entry44_flags, entry44_.flag_bytes, sizeof values_.entry44_flags); break;
    default: break;
  }
}

void CDefaultsAndSettingsDAO::from_values(int entry_type) {
  switch (entry_type) {
    case kZorv2000TaxReturnOptions: screens_internal::write_entry16(values_, entry16_); break;
    case kZorv2000ComputationOptions: screens_internal::write_entry19(values_, entry19_); break;
    case kZorv2000Entry44: std::memcpy(entry44_.flag_bytes, values_.entry44_flags, sizeof values_.entry44_flags); break;
    default: break;
  }
}

bool CDefaultsAndSettingsDAO::Read(int entry_type) {
  if (!prepare(entry_type)) return false;
  bool found = false;
  if (handle_ != nullptr) {
    put_key(entry_type);
    found = _tld(BTR_GET_EQUAL, handle_, fields_.get(), 0, kSourceName, __LINE__, 0) == BTR_OK;
  }
  if (found) {
    to_values(entry_type);
  } else {
    screens_internal::set_no_entry_values(entry_type, values_);
  }
  return found;
}

bool CDefaultsAndSettingsDAO::Write(int entry_type) {
  if (!prepare(entry_type) || handle_ == nullptr) return false;
  put_key(entry_type);
  const int looked_up = _tld(BTR_GET_EQUAL, handle_, fields_.get(), 0, kSourceName, __LINE__, 0);
  int operation = BTR_UPDATE;
  if (looked_up == BTR_KEY_NOT_FOUND) {
    // A new entry: nothing was read, so no bits of other programs' to keep.
    clear_fac(fields_.get());
    key_fields_.entry_type = entry_type;
    key_fields_.zero = 0;
    std::memset(handle_->record_buffer, 0, static_cast<std::size_t>(handle_->record_length));
    std::memcpy(handle_->record_buffer, handle_->key_buffer, sizeof(std::int32_t) + sizeof(std::int16_t));
    operation = BTR_INSERT;
  } else if (looked_up != BTR_OK) {
    // Whatever the buffers hold was not read: converting over it and writing would store
    // garbage, so nothing is written.
    BTError(handle_, kSourceName, __LINE__, kUnexpectedLookupMessage);
    return false;
  }
  from_values(entry_type);
  return _tld(operation, handle_, fields_.get(), 0, kSourceName, __LINE__, 1) == BTR_OK;
}
