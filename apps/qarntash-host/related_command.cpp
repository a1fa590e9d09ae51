// `qarntash-host related --client ID [--kind K] [--addresses] [--data DIR]`: the parties related
// to a trust, kind by kind, with their names, visible IDs, dates and (with --addresses) addresses.
#include <cstdio>
#include <memory>
#include <string>

#include "commands.h"
#include "practice_option.h"
#include "qarntash/qarntash.h"

namespace host {

namespace {

constexpr std::uint8_t kTrustType = 5;

void print_party(classRelatedNameAddress& party, const ZORV1371_TLD& period, bool addresses) {
  PMCO_INT_REF reference{};
  (void)party.getPMCO_INT_REF(&reference);
  char name[kRelatedNameLength + 1] = "";
  char id[11] = "";
  (void)party.getName(name);
  (void)party.getID(id);
  std::printf("  %d:%d  %-10s  %s\n", reference.type, reference.number, id[0] != '\0' ? id : "-", name);
  std::printf("      from %s", date_or_none(period.start_date).c_str());
  if (period.end_date > 0) std::printf(" to %s", date_or_none(period.end_date).c_str());
  if (period.share > 0) std::printf(", share %d.%02d%%", period.share / 100, period.share % 100);
  long died = 0;
  if (party.getDateOfDeath(died) && died > 0) std::printf(", died %s", date_or_none(died).c_str());
  long moved = 0;
  if (party.getDateOfLastAddressChange(moved)) std::printf(", address changed %s", date_or_none(moved).c_str());
  std::printf("\n");
  if (!addresses) return;
  ADDRESS address{};
  ZORV1008_TLD full{};
  if (!party.getAddress(&address, &full)) {
    std::printf("      no address\n");
    return;
  }
  for (const char* line : {address.line1, address.line2, address.line3, address.line4, address.line5, address.postcode}) {
    if (line[0] != '\0') std::printf("      %s\n", line);
  }
  if (address.contact_number[0] != '\0') std::printf("      Telephone %s\n", address.contact_number);
}

}  // namespace

void add_related_command(CLI::App& app) {
  struct Arguments {
    std::string client;
    int kind = 0;
    bool addresses = false;
  };
  auto arguments = std::make_shared<Arguments>();
  auto data = std::make_shared<std::string>();
  CLI::App* command = app.add_subcommand("related", "Show the parties related to a trust (trustees, beneficiaries, ...)");
  command->add_option("--client", arguments->client, "The trust's visible ID, for example HARTTRUST")->required();
  command->add_option("--kind", arguments->kind, "Only relationships of this kind (1 to 255; default: every kind)")
      ->check(CLI::Range(1, 255));
  command->add_flag("--addresses", arguments->addresses, "Show each party's address and main contact number");
  add_data_option(command, data);
  command->callback([arguments, data]() {
    const TK_CONF conf = use_practice_folder(*data);
    const PMCO_INT_REF client = client_by_id(arguments->client);
    if (client.type != kTrustType) {
      std::fprintf(stderr, "\"%s\" is not a trust (type %d): related parties are kept for trusts (type 5)\n",
                   arguments->client.c_str(), client.type);
      throw CLI::RuntimeError(1);
    }
    const int first = arguments->kind > 0 ? arguments->kind : 1;
    const int last = arguments->kind > 0 ? arguments->kind : 255;
    int shown = 0;
    for (int kind = first; kind <= last; ++kind) {
      classRelatedNameAddress parties(client.number, kind, conf);
      ZORV1371_TLD period{};
      bool found = parties.getFirst(&period);
      if (found) std::printf("Kind %d:\n", kind);
      for (; found; found = parties.getNext(&period), ++shown) print_party(parties, period, arguments->addresses);
    }
    if (shown == 0) std::printf("No related parties.\n");
  });
}

}  // namespace host
