// The demo practice with many generated clients, for trying and measuring walks over a whole
// practice: see platform/practice/demo_practice.h.
#include <climits>
#include <cstdint>
#include <string>
#include <vector>

#include "demo_practice_parts.h"

namespace platform {

namespace {

constexpr std::int32_t kActsForClient = 2;
constexpr std::int32_t kNotCounted = 2;
constexpr std::int32_t kFirstYear = 2016;
constexpr std::int32_t kLastYear = 2025;

// A small deterministic generator (a 64-bit linear congruential one), so that a count gives the
// same practice every time.
class Draws {
 public:
  // A number in [0, n).
  int below(int n) {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<int>((state_ >> 33) % static_cast<std::uint64_t>(n));
  }

 private:
  std::uint64_t state_ = 20240406;
};

template <class Record>
int load(const std::string& folder, const std::vector<Record>& rows) {
  if (rows.empty()) return 0;
  using traits = pm_record_traits<Record>;
  return load_table_records(folder, traits::file_name, rows.data(), static_cast<int>(rows.size()),
                            static_cast<int>(sizeof(Record)));
}

std::uint8_t draw_type(Draws& draws) {
  const int percent = draws.below(100);
  if (percent < 60) return 1;
  if (percent < 85) return 2;
  if (percent < 95) return 5;
  return 75;
}

}  // namespace

int write_large_demo_practice(const std::string& folder, int clients) {
  if (clients < 0 || clients > INT32_MAX - kLargePracticeFirstNumber) return 1;
  if (const int status = write_demo_practice(folder); status != 0) return status;
  Draws draws;
  std::vector<zorv1005_rec> client_rows;
  std::vector<ZORV2006_REC> client_years;
  std::vector<ZORV1370_REC> trust_years;
  std::vector<ZORV7000_REC> non_residents;
  client_rows.reserve(static_cast<std::size_t>(clients));
  for (int i = 0; i < clients; ++i) {
    zorv1005_rec client{};
    client.client_number = kLargePracticeFirstNumber + i;
    client.client_type = draw_type(draws);
    demo::put_text(client.client_id, ("C" + std::to_string(client.client_number)).c_str());
    client.status_flags = draws.below(10) < 9 ? kActsForClient : 0;
    client.second_flags = draws.below(100) < 3 ? kNotCounted : 0;
    client.branch = 1 + draws.below(3);
    client_rows.push_back(client);

    const std::int32_t first = kFirstYear + draws.below(kLastYear - kFirstYear + 1);
    const std::int32_t last = first + draws.below(kLastYear - first + 1);
    if (client.client_type == 1) {
      for (std::int32_t year = first; year <= last; ++year) client_years.push_back({client.client_number, year, 0});
      if (draws.below(12) == 0) {
        const int subs = 1 + draws.below(3);
        for (std::int32_t sub = 1; sub <= subs; ++sub) {
          ZORV7000_REC entry{};
          entry.number = client.client_number;
          entry.sub_number = sub;
          entry.year = first + draws.below(last - first + 1);
          non_residents.push_back(entry);
        }
      }
    } else if (client.client_type == 5) {
      for (std::int32_t year = first; year <= last; ++year) {
        const int parts = 1 + draws.below(2);
        for (std::int16_t part = 1; part <= parts; ++part) {
          ZORV1370_REC entry{};
          entry.number = client.client_number;
          entry.year = year;
          entry.part = part;
          trust_years.push_back(entry);
        }
      }
    }
  }
  int status = load(folder, client_rows);
  if (status == 0) status = load(folder, client_years);
  if (status == 0) status = load(folder, trust_years);
  if (status == 0) status = load(folder, non_residents);
  return status;
}

}  // namespace platform
