// Runs a value-parameterised suite (TEST_P) once on each backend of the store, the tests named by
// backend ("Backends/Fixture.Test/files", ".../server"); the fixture takes the backend from
// GetParam(). The server runs need the ctest fixture that starts the private cluster.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "support/test_store.h"

#define STORE_SUITE_ON_BOTH_BACKENDS(fixture)                                                        \
  INSTANTIATE_TEST_SUITE_P(Backends, fixture,                                                       \
                           ::testing::Values(test_support::Backend::files, test_support::Backend::server), \
                           [](const ::testing::TestParamInfo<test_support::Backend>& info) {        \
                             return std::string(test_support::backend_name(info.param));           \
                           })
