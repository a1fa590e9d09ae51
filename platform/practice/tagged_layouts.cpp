// Where each tagged field of the practice tables lands in its tagged part.
#include <cstddef>
#include <vector>

#include "platform/field_tables.h"
#include "platform/practice/catalogue.h"

namespace {

constexpr std::int16_t kRaw = FAC_KIND_RAW;
constexpr std::int16_t kText = FAC_KIND_TEXT;
constexpr TAGGED_FIELD_LAYOUT kEnd{-1, 0, 0, 0};

#define FIELD_AT(Type, member, tag, kind) \
  TAGGED_FIELD_LAYOUT { tag, static_cast<std::int16_t>(offsetof(Type, member)), \
                        static_cast<std::int16_t>(sizeof(Type::member)), kind }

std::vector<TAGGED_FIELD_LAYOUT> build_zorv1008_fields() {
  std::vector<TAGGED_FIELD_LAYOUT> fields = {
      FIELD_AT(ZORV1008_TLD, line1, 101, kText),          FIELD_AT(ZORV1008_TLD, line2, 102, kText),
      FIELD_AT(ZORV1008_TLD, line3, 103, kText),          FIELD_AT(ZORV1008_TLD, line4, 104, kText),
      FIELD_AT(ZORV1008_TLD, line5, 105, kText),          FIELD_AT(ZORV1008_TLD, postcode, 106, kText),
      FIELD_AT(ZORV1008_TLD, contact_flags, 107, kRaw),   FIELD_AT(ZORV1008_TLD, email_flags, 108, kRaw),
      FIELD_AT(ZORV1008_TLD, further_text_1, 109, kText), FIELD_AT(ZORV1008_TLD, further_text_2, 110, kText),
      FIELD_AT(ZORV1008_TLD, further_text_3, 111, kText), FIELD_AT(ZORV1008_TLD, further_value, 112, kRaw),
  };
  // Contact i: number 301 + 2i, description 302 + 2i; e-mail i: address 201 + 2i, description 202 + 2i.
  for (int i = 0; i < 8; ++i) {
    const auto contact = static_cast<int>(offsetof(ZORV1008_TLD, contacts) + i * sizeof(ZORV1008_CONTACT));
    const auto email = static_cast<int>(offsetof(ZORV1008_TLD, emails) + i * sizeof(ZORV1008_EMAIL));
    const auto contact_description = static_cast<int>(offsetof(ZORV1008_CONTACT, description));
    const auto email_description = static_cast<int>(offsetof(ZORV1008_EMAIL, description));
    fields.push_back({301 + 2 * i, static_cast<std::int16_t>(contact), sizeof(ZORV1008_CONTACT::number), kText});
    fields.push_back({302 + 2 * i, static_cast<std::int16_t>(contact + contact_description),
                      sizeof(ZORV1008_CONTACT::description), kText});
    fields.push_back({201 + 2 * i, static_cast<std::int16_t>(email), sizeof(ZORV1008_EMAIL::address), kText});
    fields.push_back({202 + 2 * i, static_cast<std::int16_t>(email + email_description),
                      sizeof(ZORV1008_EMAIL::description), kText});
  }
  fields.push_back(kEnd);
  return fields;
}

}  // namespace

const TAGGED_FIELD_LAYOUT* zorv1371_tagged_fields() {
  static const TAGGED_FIELD_LAYOUT fields[] = {FIELD_AT(ZORV1371_TLD, start_date, 101, kRaw),
                                               FIELD_AT(ZORV1371_TLD, end_date, 102, kRaw),
                                               FIELD_AT(ZORV1371_TLD, share, 103, kRaw), kEnd};
  return fields;
}

const TAGGED_FIELD_LAYOUT* zorv1008_tagged_fields() {
  static const std::vector<TAGGED_FIELD_LAYOUT> fields = build_zorv1008_fields();
  return fields.data();
}

const TAGGED_FIELD_LAYOUT* zorv1009_tagged_fields() {
  static const TAGGED_FIELD_LAYOUT fields[] = {FIELD_AT(ZORV1009_TLD, linked_address, 101, kRaw),
                                               FIELD_AT(ZORV1009_TLD, override_address, 102, kRaw), kEnd};
  return fields;
}

const TAGGED_FIELD_LAYOUT* zorv1203_company_tagged_fields() {
  static const TAGGED_FIELD_LAYOUT fields[] = {FIELD_AT(ZORV1203_COMPANY_TLD, date_of_incorporation, 400, kRaw),
                                               kEnd};
  return fields;
}

const TAGGED_FIELD_LAYOUT* zorv1431_tagged_fields() {
  static const TAGGED_FIELD_LAYOUT fields[] = {FIELD_AT(ZORV1431_TLD, description, 101, kText),
                                               FIELD_AT(ZORV1431_TLD, due_days, 102, kRaw),
                                               FIELD_AT(ZORV1431_TLD, client_type_exclusions, 103, kRaw),
                                               FIELD_AT(ZORV1431_TLD, flags, 104, kRaw), kEnd};
  return fields;
}

const TAGGED_FIELD_LAYOUT* zorv1410_tagged_fields() {
  static const TAGGED_FIELD_LAYOUT fields[] = {FIELD_AT(ZORV1410_TLD, name, 101, kText),
                                               FIELD_AT(ZORV1410_TLD, reference, 102, kText),
                                               FIELD_AT(ZORV1410_TLD, phone, 103, kText),
                                               FIELD_AT(ZORV1410_TLD, email, 104, kText), kEnd};
  return fields;
}

const TAGGED_FIELD_LAYOUT* zorv3000_header_tagged_fields() {
  static const TAGGED_FIELD_LAYOUT fields[] = {FIELD_AT(ZORV3000_HEADER_TLD, client_name_code, 500, kRaw),
                                               FIELD_AT(ZORV3000_HEADER_TLD, report_title_code, 501, kRaw),
                                               FIELD_AT(ZORV3000_HEADER_TLD, date_text_code, 502, kRaw), kEnd};
  return fields;
}

const TAGGED_FIELD_LAYOUT* zorv3000_fly_sheet_tagged_fields() {
  static const TAGGED_FIELD_LAYOUT fields[] = {FIELD_AT(ZORV3000_FLY_SHEET_TLD, width, 1150, kRaw),
                                               FIELD_AT(ZORV3000_FLY_SHEET_TLD, drop, 1151, kRaw),
                                               FIELD_AT(ZORV3000_FLY_SHEET_TLD, offset, 1152, kRaw),
                                               FIELD_AT(ZORV3000_FLY_SHEET_TLD, reg_no_text_type, 1153, kRaw),
                                               FIELD_AT(ZORV3000_FLY_SHEET_TLD, main_text_type, 1154, kRaw),
                                               FIELD_AT(ZORV3000_FLY_SHEET_TLD, agent_details_text_type, 1155, kRaw),
                                               kEnd};
  return fields;
}

const TAGGED_FIELD_LAYOUT* zorv3000_options_tagged_fields() {
  static const TAGGED_FIELD_LAYOUT fields[] = {FIELD_AT(ZORV3000_OPTIONS_TLD, standard_options, 1400, kRaw), kEnd};
  return fields;
}

const TAGGED_FIELD_LAYOUT* zorv3000_footer_tagged_fields() {
  static const TAGGED_FIELD_LAYOUT fields[] = {FIELD_AT(ZORV3000_FOOTER_TLD, page_number_placement, 1700, kRaw),
                                               FIELD_AT(ZORV3000_FOOTER_TLD, page_number_choice, 1701, kRaw),
                                               FIELD_AT(ZORV3000_FOOTER_TLD, page_number_option, 1702, kRaw),
                                               FIELD_AT(ZORV3000_FOOTER_TLD, continued, 1703, kRaw), kEnd};
  return fields;
}

const TAGGED_FIELD_LAYOUT* zorv2000_entry16_tagged_fields() {
  static const TAGGED_FIELD_LAYOUT fields[] = {FIELD_AT(ZORV2000_ENTRY16_TLD, return_identifier, 965, kText),
                                               FIELD_AT(ZORV2000_ENTRY16_TLD, default_date, 970, kText),
                                               FIELD_AT(ZORV2000_ENTRY16_TLD, print_phone, 971, kText),
                                               FIELD_AT(ZORV2000_ENTRY16_TLD, return_status, 972, kText),
                                               FIELD_AT(ZORV2000_ENTRY16_TLD, echecklist_current, 974, kText),
                                               FIELD_AT(ZORV2000_ENTRY16_TLD, lock_flags, 973, kRaw),
                                               FIELD_AT(ZORV2000_ENTRY16_TLD, benefit_summaries, 975, kText),
                                               kEnd};
  return fields;
}

const TAGGED_FIELD_LAYOUT* zorv2000_entry19_tagged_fields() {
  static const TAGGED_FIELD_LAYOUT fields[] = {FIELD_AT(ZORV2000_ENTRY19_TLD, date_time_stamp, 154, kRaw),
                                               FIELD_AT(ZORV2000_ENTRY19_TLD, computation_status, 155, kText),
                                               FIELD_AT(ZORV2000_ENTRY19_TLD, unused_156, 156, kRaw),
                                               FIELD_AT(ZORV2000_ENTRY19_TLD, unused_157, 157, kRaw),
                                               FIELD_AT(ZORV2000_ENTRY19_TLD, employment_flags, 158, kRaw),
                                               FIELD_AT(ZORV2000_ENTRY19_TLD, suppress_flags, 159, kRaw),
                                               kEnd};
  return fields;
}

const TAGGED_FIELD_LAYOUT* zorv2000_entry44_tagged_fields() {
  static const TAGGED_FIELD_LAYOUT fields[] = {FIELD_AT(ZORV2000_ENTRY44_TLD, flag_bytes, 4401, kRaw),
                                               FIELD_AT(ZORV2000_ENTRY44_TLD, text_4402, 4402, kText),
                                               FIELD_AT(ZORV2000_ENTRY44_TLD, text_4403, 4403, kText), kEnd};
  return fields;
}
