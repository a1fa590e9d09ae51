// Where a test's practice tables live: a fresh folder of table files, or a fresh schema on the
// tests' private PostgreSQL cluster, which ctest starts before the tests that need it and stops
// after them (scripts/test-cluster); the cluster's address comes in QARNTASH_TEST_POSTGRES.
// A server schema is dropped, with every table in it, when the TestStore goes.
#pragma once

#include <ostream>
#include <string>

#include "support/temporary_folder.h"

namespace test_support {

enum class Backend { files, server };

// "files" or "server", for the names of parameterised tests.
const char* backend_name(Backend backend);
// How a test's parameter is printed.
inline void PrintTo(Backend backend, std::ostream* out) { *out << backend_name(backend); }

class TestStore {
 public:
  explicit TestStore(Backend backend);
  ~TestStore();
  TestStore(const TestStore&) = delete;
  TestStore& operator=(const TestStore&) = delete;

  Backend backend() const { return backend_; }
  // The data path the store opens tables on.
  const std::string& data_path() const { return data_path_; }
  // Empty when the store is ready; else why not (no test cluster), for the test to fail with.
  const std::string& problem() const { return problem_; }

 private:
  Backend backend_;
  TemporaryFolder folder_;
  std::string server_uri_, schema_;
  std::string data_path_, problem_;
};

}  // namespace test_support
