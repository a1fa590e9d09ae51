// Where a test's practice tables live: a fresh folder of table files, or a fresh schema on the
// tests' private PostgreSQL cluster, which ctest starts before the tests that need it and stops
// after them (scripts/test-cluster); the cluster's address comes in QARNTASH_TEST_POSTGRES.
// A server schema is dropped, with every table in it, when the TestStore goes.
#pragma once

#include <ostream>
#include <string>

#include "support/temporary_folder.h"

struct pg_conn;

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
  // The cluster's connection URI and this store's schema (empty for files).
  const std::string& server_uri() const { return server_uri_; }
  const std::string& schema() const { return schema_; }

  // Ends every other session holding a lock on this store's server tables, as the server itself
  // would once TCP keepalive found a vanished desktop's connection dead: under wine, a killed
  // program's connection stays open (wineserver keeps its socket). The number ended, 0 on files.
  int end_other_sessions() const;

 private:
  Backend backend_;
  TemporaryFolder folder_;
  std::string server_uri_, schema_;
  std::string data_path_, problem_;
};

// Another program's own connection to a test store's schema, for holding row locks and writing
// behind the store's back.
class ServerSession {
 public:
  explicit ServerSession(const TestStore& store);
  ~ServerSession();
  ServerSession(const ServerSession&) = delete;
  ServerSession& operator=(const ServerSession&) = delete;

  // Runs SQL (names resolve in the store's schema); empty when it succeeded, else the server's message.
  std::string run(const std::string& sql);

 private:
  ::pg_conn* connection_;
};

}  // namespace test_support
