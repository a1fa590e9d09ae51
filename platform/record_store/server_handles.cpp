#include "server_handles.h"

#include <cstdint>
#include <cstring>

#if defined(_WIN32)
#include <windows.h>
#endif

#include "platform/record_store.h"

namespace platform {

ServerPath split_server_path(const std::string& data_path) {
  const std::size_t hash = data_path.rfind('#');
  if (hash == std::string::npos) return {data_path, "practice"};
  const std::string schema = data_path.substr(hash + 1);
  return {data_path.substr(0, hash), schema.empty() ? "practice" : schema};
}

ServerConnection connect_to_server(const std::string& connection_uri) {
  const char* keywords[] = {"dbname", "connect_timeout", "application_name", nullptr};
  const char* values[] = {connection_uri.c_str(), "10", "qarntash", nullptr};
  ServerConnection connection(PQconnectdbParams(keywords, values, 1));
  if (connection == nullptr || PQstatus(connection.get()) != CONNECTION_OK) return nullptr;
#if defined(_WIN32)
  // Not handed down to programs the host starts, as on POSIX, where libpq closes it on exec: a
  // program holding a copy would keep the connection, its transaction and its locks open on the
  // server after the host closed it.
  SetHandleInformation(reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(PQsocket(connection.get()))),
                       HANDLE_FLAG_INHERIT, 0);
#endif
  // The server's notices ("schema already exists, skipping") are no business of the host's user.
  PQsetNoticeProcessor(connection.get(), [](void*, const char*) {}, nullptr);
  return connection;
}

int status_of(const PGresult* result) {
  if (result == nullptr) return BTR_IO_ERROR;
  const ExecStatusType state = PQresultStatus(result);
  if (state == PGRES_COMMAND_OK || state == PGRES_TUPLES_OK) return BTR_OK;
  const char* code = PQresultErrorField(result, PG_DIAG_SQLSTATE);
  if (code == nullptr) return BTR_IO_ERROR;
  if (std::strcmp(code, "23505") == 0) return BTR_DUPLICATE_KEY;                 // unique_violation
  if (std::strcmp(code, "55P03") == 0 || std::strcmp(code, "40P01") == 0) {      // lock_not_available, deadlock
    return BTR_FILE_BUSY;
  }
  if (std::strcmp(code, "40001") == 0) return BTR_RECORD_CONFLICT;               // serialization_failure
  return BTR_IO_ERROR;
}

std::string quoted_name(PGconn* connection, const std::string& name) {
  char* quoted = PQescapeIdentifier(connection, name.data(), name.size());
  if (quoted == nullptr) return "";
  std::string text(quoted);
  PQfreemem(quoted);
  return text;
}

std::string quoted_literal(PGconn* connection, const std::string& text) {
  char* quoted = PQescapeLiteral(connection, text.data(), text.size());
  if (quoted == nullptr) return "''";
  std::string literal(quoted);
  PQfreemem(quoted);
  return literal;
}

void ServerParameters::add_text(const std::string& text) {
  add_bytes(text);
  formats_.back() = 0;
}

void ServerParameters::add_bytes(const std::string& bytes) {
  owned_.push_back(std::make_unique<std::string>(bytes));
  values_.push_back(owned_.back()->data());
  lengths_.push_back(static_cast<int>(bytes.size()));
  formats_.push_back(1);
}

void ServerParameters::add_int64(std::int64_t value) {
  std::string bytes(8, '\0');
  const auto bits = static_cast<std::uint64_t>(value);
  for (int i = 0; i < 8; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<char>((bits >> (56 - 8 * i)) & 0xff);
  add_bytes(bytes);
}

std::int64_t int_of(const PGresult* result, int row, int column) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(PQgetvalue(result, row, column));
  const int length = PQgetlength(result, row, column);
  std::uint64_t bits = 0;
  for (int i = 0; i < length; ++i) bits = (bits << 8) | bytes[i];
  // An int4 column is sign-extended from its 32 bits.
  if (length == 4) return static_cast<std::int32_t>(static_cast<std::uint32_t>(bits));
  return static_cast<std::int64_t>(bits);
}

}  // namespace platform
