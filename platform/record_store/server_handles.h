// Owners of libpq's handles, and the few conversions the server backend needs: a connection
// closed when its owner goes, a result cleared, parameters sent in binary.
#pragma once

#include <libpq-fe.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

struct ResultClear {
  void operator()(PGresult* result) const { PQclear(result); }
};
using Result = std::unique_ptr<PGresult, ResultClear>;

struct ConnectionFinish {
  void operator()(PGconn* connection) const { PQfinish(connection); }
};
using ServerConnection = std::unique_ptr<PGconn, ConnectionFinish>;

// A server data path: "postgresql://host/database?options#schema"; without "#schema" the
// practice's schema is "practice".
struct ServerPath {
  std::string connection_uri;
  std::string schema;
};
ServerPath split_server_path(const std::string& data_path);

// Connects, waiting at most a few seconds for a server that does not answer; null when it fails.
ServerConnection connect_to_server(const std::string& connection_uri);

// The status that stands for a failed command: 5 for a unique key, 85 for a lock not had in
// time, 80 for a write that lost a race, 2 for anything else (a lost connection among them).
int status_of(const PGresult* result);

// A name quoted for SQL ("zorv1005.ttl" becomes "\"zorv1005.ttl\""), and a text as a literal.
std::string quoted_name(PGconn* connection, const std::string& name);
std::string quoted_literal(PGconn* connection, const std::string& text);

// Parameters of one command: byte strings and integers (int8) in binary, texts as text.
class ServerParameters {
 public:
  void add_bytes(const std::string& bytes);
  void add_text(const std::string& text);
  void add_int64(std::int64_t value);
  int count() const { return static_cast<int>(values_.size()); }
  const char* const* values() const { return values_.data(); }
  const int* lengths() const { return lengths_.data(); }
  const int* formats() const { return formats_.data(); }

 private:
  std::vector<const char*> values_;
  std::vector<int> lengths_, formats_;
  std::vector<std::unique_ptr<std::string>> owned_;
};

// A binary result's int8 (or int4) column as a number.
std::int64_t int_of(const PGresult* result, int row, int column);

}  // namespace platform
