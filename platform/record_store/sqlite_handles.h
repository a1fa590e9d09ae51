// Small owners of SQLite objects: a connection closed and a statement finalised by their
// destructors, and a guard that resets a statement when a call is done with it, so that no
// statement is left part-way through its results (holding a read snapshot) between calls.
#pragma once

#include <sqlite3.h>

#include <string>
#include <utility>

namespace platform {

class Statement {
 public:
  Statement() = default;
  explicit Statement(sqlite3_stmt* statement) : statement_(statement) {}
  ~Statement() { sqlite3_finalize(statement_); }
  Statement(Statement&& other) noexcept : statement_(std::exchange(other.statement_, nullptr)) {}
  Statement& operator=(Statement&& other) noexcept {
    if (this != &other) {
      sqlite3_finalize(statement_);
      statement_ = std::exchange(other.statement_, nullptr);
    }
    return *this;
  }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  sqlite3_stmt* get() const { return statement_; }
  explicit operator bool() const { return statement_ != nullptr; }

 private:
  sqlite3_stmt* statement_ = nullptr;
};

// Resets and unbinds the statement when the scope ends, whatever path leaves it.
class StatementUse {
 public:
  explicit StatementUse(sqlite3_stmt* statement) : statement_(statement) {}
  ~StatementUse() {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
  }
  StatementUse(const StatementUse&) = delete;
  StatementUse& operator=(const StatementUse&) = delete;
  sqlite3_stmt* get() const { return statement_; }

 private:
  sqlite3_stmt* statement_;
};

class Connection {
 public:
  Connection() = default;
  ~Connection() { sqlite3_close_v2(db_); }
  Connection(Connection&& other) noexcept : db_(std::exchange(other.db_, nullptr)) {}
  Connection& operator=(Connection&& other) noexcept {
    if (this != &other) {
      sqlite3_close_v2(db_);
      db_ = std::exchange(other.db_, nullptr);
    }
    return *this;
  }
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // SQLite's result code; the connection is usable only on SQLITE_OK.
  int open(const std::string& path, int flags) {
    sqlite3_close_v2(db_);
    db_ = nullptr;
    return sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
  }
  sqlite3* get() const { return db_; }
  int execute(const char* sql) { return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr); }
  int prepare(const std::string& sql, Statement* statement) {
    sqlite3_stmt* raw = nullptr;
    const int rc = sqlite3_prepare_v3(db_, sql.c_str(), static_cast<int>(sql.size()),
                                      SQLITE_PREPARE_PERSISTENT, &raw, nullptr);
    *statement = Statement(raw);
    return rc;
  }

 private:
  sqlite3* db_ = nullptr;
};

}  // namespace platform
