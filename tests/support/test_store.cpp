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

namespace {

// Ends every session but the caller's that holds a lock on a table of `schema`, waiting up to 5 s
// for each to go. The number ended, or -1 when the server could not be asked.
int end_sessions_locking(PGconn* connection, const std::string& schema) {
  const std::string sql =
      "SELECT count(*) FROM (SELECT DISTINCT l.pid FROM pg_locks l JOIN pg_class c ON c.oid = l.relation "
      "JOIN pg_namespace n ON n.oid = c.relnamespace WHERE n.nspname = '" + schema +
      "' AND l.pid <> pg_backend_pid()) AS holders WHERE pg_terminate_backend(holders.pid, 5000)";
  PGresult* result = PQexec(connection, sql.c_str());
  const int ended = PQresultStatus(result) == PGRES_TUPLES_OK ? std::atoi(PQgetvalue(result, 0, 0)) : -1;
  PQclear(result);
  return ended;
}

}  // namespace

TestStore::~TestStore() {
  if (schema_.empty()) return;
  PGconn* connection = PQconnectdb(server_uri_.c_str());
  if (PQstatus(connection) == CONNECTION_OK) {
    // A session left holding the schema's tables (a killed child's, which wine keeps open) must
    // not hold the whole suite up: it is ended, and the drop waits a bounded time at most.
    end_sessions_locking(connection, schema_);
    const std::string drop = "SET client_min_messages = warning; SET lock_timeout = '20s'; "
                             "DROP SCHEMA IF EXISTS " + schema_ + " CASCADE";
    PQclear(PQexec(connection, drop.c_str()));
  }
  PQfinish(connection);
}

int TestStore::end_other_sessions() const {
  if (schema_.empty()) return 0;
  PGconn* connection = PQconnectdb(server_uri_.c_str());
  const int ended = PQstatus(connection) == CONNECTION_OK ? end_sessions_locking(connection, schema_) : -1;
  PQfinish(connection);
  return ended;
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
