#include "support/test_store.h"

#include <libpq-fe.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>

namespace test_support {

const char* backend_name(Backend backend) { return backend == Backend::files ? "files" : "server"; }

TestStore::TestStore(Backend backend) : backend_(backend) {
  if (backend == Backend::files) {
    data_path_ = folder_.string();
    return;
  }
  const char* uri = std::getenv("QARNTASH_TEST_POSTGRES");
  if (uri == nullptr || *uri == '\0') {
    problem_ = "QARNTASH_TEST_POSTGRES is not set: run the tests through ctest, whose fixture starts the "
               "private PostgreSQL cluster (scripts/test-cluster start DIR) and names it";
    return;
  }
  // A schema of this test's own: tests running side by side share the cluster, not their tables.
  static std::atomic<int> made{0};
  server_uri_ = uri;
  schema_ = "test_" + std::to_string(getpid()) + "_" + std::to_string(made++);
  PGconn* connection = PQconnectdb(server_uri_.c_str());
  if (PQstatus(connection) != CONNECTION_OK) {
    problem_ = "the test PostgreSQL cluster does not answer at " + server_uri_ + ": " + PQerrorMessage(connection);
  }
  PQfinish(connection);
  data_path_ = server_uri_ + "#" + schema_;
}

TestStore::~TestStore() {
  if (schema_.empty()) return;
  PGconn* connection = PQconnectdb(server_uri_.c_str());
  if (PQstatus(connection) == CONNECTION_OK) {
    const std::string drop = "SET client_min_messages = warning; DROP SCHEMA IF EXISTS " + schema_ + " CASCADE";
    PQclear(PQexec(connection, drop.c_str()));
  }
  PQfinish(connection);
}

ServerSession::ServerSession(const TestStore& store) : connection_(PQconnectdb(store.server_uri().c_str())) {
  run("SET search_path = " + store.schema());
}

ServerSession::~ServerSession() { PQfinish(connection_); }

std::string ServerSession::run(const std::string& sql) {
  if (PQstatus(connection_) != CONNECTION_OK) return "no connection";
  PGresult* result = PQexec(connection_, sql.c_str());
  const ExecStatusType state = PQresultStatus(result);
  std::string message = state == PGRES_COMMAND_OK || state == PGRES_TUPLES_OK ? "" : PQresultErrorMessage(result);
  if (state != PGRES_COMMAND_OK && state != PGRES_TUPLES_OK && message.empty()) message = "failed";
  PQclear(result);
  return message;
}

}  // namespace test_support
