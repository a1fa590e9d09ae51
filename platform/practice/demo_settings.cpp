// The demo practice's report settings, practice defaults and agents.
#include <cstddef>
#include <cstring>

#include "demo_practice_parts.h"
#include "platform/field_tables.h"

namespace platform::demo {

namespace {

constexpr std::int16_t kDemoSettingsUser = kDemoReportSettingsUser;

ZORV3000_REC settings_key(std::int32_t record_kind, std::int16_t user = 0) {
  ZORV3000_REC row{};
  row.record_kind = record_kind;
  row.user_id = user;
  return row;
}

// User 7's header was written before the date line could be chosen: it lacks field 502.
int write_user_report_settings(const std::string& folder) {
  ZORV3000_HEADER_TLD header{};
  header.client_name_code = 0x03;   // both choice bits: the first wins
  header.report_title_code = 0x02;  // a bit the report title does not consult
  static const TAGGED_FIELD_LAYOUT header_without_date[] = {
      {500, static_cast<std::int16_t>(offsetof(ZORV3000_HEADER_TLD, client_name_code)), 2, FAC_KIND_RAW},
      {501, static_cast<std::int16_t>(offsetof(ZORV3000_HEADER_TLD, report_title_code)), 2, FAC_KIND_RAW},
      {-1, 0, 0, 0}};
  ZORV3000_FOOTER_TLD footer{};
  footer.page_number_placement = 3;  // not a placement: read as 0
  footer.page_number_choice = 2;
  footer.page_number_option = 1;
  footer.continued = 1;              // no "continued"
  const int status =
      insert_tagged_row(folder, settings_key(kZorv3000Header, kDemoSettingsUser), header, header_without_date);
  return status != 0 ? status
                     : insert_tagged_row(folder, settings_key(kZorv3000Footer, kDemoSettingsUser), footer,
                                         zorv3000_footer_tagged_fields());
}

ZORV2000_REC defaults_key(std::int32_t entry_type) {
  ZORV2000_REC row{};
  row.entry_type = entry_type;
  return row;
}

int write_report_settings(const std::string& folder) {
  ZORV3000_HEADER_TLD header{};
  header.client_name_code = 1;
  header.report_title_code = 1;
  header.date_text_code = 1;
  ZORV3000_FLY_SHEET_TLD fly_sheet{};
  fly_sheet.width = 80;
  fly_sheet.drop = 10;
  fly_sheet.offset = 5;
  fly_sheet.reg_no_text_type = 1;
  fly_sheet.main_text_type = 1;
  fly_sheet.agent_details_text_type = 1;
  ZORV3000_OPTIONS_TLD options{};
  options.standard_options = 0x10 | 0x20;  // rules under the header and above the footer
  ZORV3000_FOOTER_TLD footer{};
  footer.page_number_placement = 1;
  footer.page_number_choice = 1;
  footer.page_number_option = 0;
  footer.continued = 0;  // print "continued"
  int status = insert_tagged_row(folder, settings_key(kZorv3000Header), header, zorv3000_header_tagged_fields());
  if (status == 0) {
    status = insert_tagged_row(folder, settings_key(kZorv3000FlySheet), fly_sheet, zorv3000_fly_sheet_tagged_fields());
  }
  if (status == 0) {
    status = insert_tagged_row(folder, settings_key(kZorv3000Options), options, zorv3000_options_tagged_fields());
  }
  if (status == 0) {
    status = insert_tagged_row(folder, settings_key(kZorv3000Footer), footer, zorv3000_footer_tagged_fields());
  }
  return status != 0 ? status : write_user_report_settings(folder);
}

// Tax return options: returns identified by client UTR, final status, the agent's phone printed,
// the employment section locked after an electronic return only. Computation options: interim
// status, no stamp, employment locked after a final computation, agent details suppressed.
// Entry 44: six flag bytes. The flag words also carry bits of other programs (0x40, 0x80,
// 0x10), and entry 19 fields 156 and 157 that this library does not use: a save keeps them.
int write_practice_defaults(const std::string& folder) {
  ZORV2000_ENTRY16_TLD returns{};
  returns.return_identifier[0] = 2;
  put_text(returns.default_date, "N");
  put_text(returns.print_phone, "Y");
  returns.return_status[0] = 1;
  put_text(returns.echecklist_current, "Y");
  returns.lock_flags = 0x01 | 0x40;
  put_text(returns.benefit_summaries, "Y");
  ZORV2000_ENTRY19_TLD computations{};
  computations.date_time_stamp = 'N';
  computations.computation_status[0] = 2;
  computations.unused_156 = 'A';
  computations.unused_157 = 'B';
  computations.employment_flags = 0x01 | 0x80;
  computations.suppress_flags = 0x02 | 0x10;
  ZORV2000_ENTRY44_TLD entry44{};
  std::memcpy(entry44.flag_bytes, "YNYNYY", sizeof entry44.flag_bytes);
  put_text(entry44.text_4402, "X");
  put_text(entry44.text_4403, "Z");
  int status = insert_tagged_row(folder, defaults_key(kZorv2000TaxReturnOptions), returns,
                                 zorv2000_entry16_tagged_fields());
  if (status == 0) {
    status = insert_tagged_row(folder, defaults_key(kZorv2000ComputationOptions), computations,
                               zorv2000_entry19_tagged_fields());
  }
  return status != 0 ? status
                     : insert_tagged_row(folder, defaults_key(kZorv2000Entry44), entry44, zorv2000_entry44_tagged_fields());
}

// Each branch's agents: kind 1 names the branch on the practice's fly sheets; kind 10 is the tax
// agent who deals with the tax office for the branch's clients (its address is with the addresses).
int write_agents(const std::string& folder) {
  struct Agent {
    std::int32_t branch, kind;
    const char* name;
    const char* reference;
    const char* phone;
    const char* email;
  };
  const Agent agents[] = {
      {1, 1, "Harper Lowe Accountants (Skipton)", "A1234B", "01756 700100", "skipton@harperlowe.example"},
      {2, 1, "Harper Lowe Accountants (Cardiff)", "A5678C", "029 2049 0100", "cardiff@harperlowe.example"},
      {3, 1, "Harper Lowe Accountants (York)", "A9012D", "01904 600100", "york@harperlowe.example"},
      {1, 10, "Skipton Tax Agents", "T1001S", "01756 700200", "tax@skiptonagents.example"},
      {2, 10, "Cardiff Tax Agents", "T2002C", "029 2049 0200", "tax@cardiffagents.example"},
      {3, 10, "York Tax Agents", "T3003Y", "01904 600200", "tax@yorkagents.example"},
  };
  RowWriter<ZORV1410_REC> table(folder);
  return insert_each(table, agents, [](RowWriter<ZORV1410_REC>& writer, const Agent& agent) {
    ZORV1410_REC row{};
    row.branch = agent.branch;
    row.agent_kind = agent.kind;
    ZORV1410_TLD details{};
    put_text(details.name, agent.name);
    put_text(details.reference, agent.reference);
    put_text(details.phone, agent.phone);
    put_text(details.email, agent.email);
    return writer.insert(row, details);
  });
}

}  // namespace

int write_settings(const std::string& folder) {
  return write_in_turn(folder, {write_report_settings, write_practice_defaults, write_agents});
}

}  // namespace platform::demo
