// File: qarntash/screens/option_status.h
//
// The administration status of a tax return or computation: the practice's default for new ones
// (tax return options, computation options) and the status a report prints.
#pragma once

#include <cstdint>

enum Status : std::int32_t {
  STATUS_FINAL = 1,
  STATUS_INTERIM = 2,
  STATUS_UNRECORDED = 3,
};
