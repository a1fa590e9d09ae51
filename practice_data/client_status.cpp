// A client's status flags, set directly or after asking the user: see
// qarntash/practice_data/client_status.h.
#include <cstdint>
#include <string>

#include "platform/practice/clients.h"
#include "platform/practice/practice_table.h"
#include "platform/window_services.h"
#include "qarntash/practice_data/client_status.h"
#include "qarntash/reporting/string_table.h"

namespace {

constexpr const char* kSourceFile = "ClientStatus";
constexpr unsigned kCaptionString = 102;       // "Client status for "
constexpr unsigned kBusinessQuestion = 103;    // "Is this business currently a client?"
constexpr unsigned kTrustQuestion = 106;       // "Is this trust currently a client?"
constexpr int kTrustType = 5;

#pragma pack(push, 1)
struct ClientReference {         // ZORV1005.TTL key 1
  std::uint8_t type;
  std::int32_t number;
};
#pragma pack(pop)

// A client type that the reference's type byte can hold: a larger one would be cut to another
// client's type.
bool is_client_type(int type) { return type >= 0 && type <= UINT8_MAX; }

}  // namespace

extern "C" {

int SetClientStatus(int number, int type, int set, int mask) {
  if (!is_client_type(type)) return 1;
  if (set != 0 && set != 1) return 0;
  platform::PracticeTable<zorv1005_rec> clients(kSourceFile);
  const platform::StoreStatus found = clients.find(1, ClientReference{static_cast<std::uint8_t>(type), number});
  if (!found.ok()) return found.code();
  std::int32_t& flags = clients.record().status_flags;
  if (set == 1 && (flags & mask) == 0) {
    flags |= mask;
  } else if (set == 0 && (flags & mask) != 0) {
    flags &= ~mask;
  } else {
    return 0;  // already as wanted: nothing is written
  }
  return clients.update(1).code();
}

char CheckClientStatus(int number, int type, const char* name, int mask) {
  if (!is_client_type(type)) return 0;
  const std::string caption = std::string(CStringTableVori::GetString(kCaptionString).c_str()) +
                              (name != nullptr ? name : "");
  const cLBW_STRING question = CStringTableVori::GetString(type == kTrustType ? kTrustQuestion : kBusinessQuestion);
  const int answer = wp_messagebox_ex(caption.c_str(), question.c_str(), kMbYesNo | kMbIconQuestion);
  if (answer != kIdYes && answer != kIdNo) return 0;  // closed or not shown: nobody chose
  const int chosen = answer == kIdYes ? 1 : 0;
  // The answer stands whether or not the record could be written; the store reports a failure.
  (void)SetClientStatus(number, type, chosen, mask);
  return static_cast<char>(chosen);
}

}  // extern "C"
