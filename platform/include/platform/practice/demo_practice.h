// File: platform/practice/demo_practice.h
//
// A small, realistic practice to run the host program and the tests against: every table of the
// catalogue, with a few clients of each type (individuals, businesses, trusts, other parties)
// across three branches, their addresses, relationships, trade dates and periods, jobs, the
// practice's settings, each branch's default address and agents, and a few documents (in the
// folder's DOCUMENTS, as platform/document_services.h keeps them). The same practice every time:
// the tests rely on what it holds, and the host's demo-practice command writes it for a user to
// try.
//
// Usage:
//   if (platform::write_demo_practice("/tmp/demo") != 0) ... // nothing usable was written
//   platform_set_default_data_path("/tmp/demo");
#pragma once

#include <cstdint>
#include <string>

#include "platform/export.h"

namespace platform {

// Makes `folder` (and its parents) and writes the demo practice into it. 0; 59 when the folder
// already holds a practice table (nothing is changed: a practice is never mixed with the demo);
// else the status of the first failure (2 when the folder cannot be made), after which the
// folder holds part of the demo.
PLATFORM_API int write_demo_practice(const std::string& folder);

// Writes the demo practice into `folder` as write_demo_practice does, then `clients` further
// clients numbered from kLargePracticeFirstNumber: about 60% individuals, 25% businesses, 10%
// trusts and 5% other parties, in three branches; nine in ten the practice acts for and three in
// a hundred left out of the usage counts; individuals with client-year entries for a run of tax
// years between 2016 and 2025, trusts with trust entries likewise (some years twice), and one
// individual in twelve with non-resident entries under one to three sub-numbers. The same
// practice for the same count every time. 0, or as write_demo_practice (1 for a count below 0
// or one whose numbers would pass 2147483647).
PLATFORM_API int write_large_demo_practice(const std::string& folder, int clients);
constexpr std::int32_t kLargePracticeFirstNumber = 100001;

// What the demo holds, for tests and for the host's summary.
struct DemoClient {
  const char* client_id;
  std::uint8_t client_type;  // 1 individual, 2 business, 5 trust, 75 other party
  std::int32_t client_number;
  std::int32_t branch;       // 1 (Skipton), 2 (Cardiff) or 3 (York)
  const char* name;
};
// The user with report settings of their own (a header lacking the date field, and a footer);
// the other kinds come from user 0, the practice's own.
constexpr std::int16_t kDemoReportSettingsUser = 7;

// The demo's clients, ended by an entry with a null client_id.
PLATFORM_API const DemoClient* demo_practice_clients();

}  // namespace platform
