// What a practice with many users relies on from the server backend: row locks that make a
// writer wait (85 past the busy timeout) or find the record changed (80), many programs updating
// shared records with no update lost, and a server killed under its writers losing no
// acknowledged write, with handles that carry on once it is back.
#include <gtest/gtest.h>

#if !defined(_WIN32)
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "platform/practice/catalogue.h"
#include "platform/practice/demo_practice.h"
#include "store_fixture.h"

namespace record_store_test {
namespace {

class ServerBackend : public StoreTest {
 protected:
  Backend backend() const override { return Backend::server; }

  // Reads record `number` by key 0 through `handle`, adds `amount` to its group and writes it.
  static int add_to_group(btrv_fcb* handle, std::int32_t number, std::int32_t amount) {
    std::memset(handle->key_buffer, 0, 8);
    std::memcpy(handle->key_buffer, &number, sizeof number);
    const int status = _bt(BTR_GET_EQUAL, handle, 0, "", 0, 0);
    if (status != BTR_OK) return status;
    Row r{};
    std::memcpy(&r, handle->record_buffer, sizeof r);
    r.group += amount;
    std::memcpy(handle->record_buffer, &r, sizeof r);
    return _bt(BTR_UPDATE, handle, 0, "", 0, 0);
  }
};

TEST_F(ServerBackend, ARowLockedByAnotherUserGives85AfterTheBusyTimeoutAnd80OnceTheyChangeIt) {
  ASSERT_EQ(insert(row(1, 0, "one")), BTR_OK);
  test_support::ServerSession other_user(*server);
  ASSERT_EQ(other_user.run("BEGIN"), "");
  ASSERT_EQ(other_user.run("SELECT id FROM \"rows.ttl\" FOR UPDATE"), "");
  platform::set_record_store_busy_timeout(100);
  btrv_fcb* waiting = nullptr;
  ASSERT_EQ(open(&waiting), BTR_OK);
  platform::set_record_store_busy_timeout(5000);
  const auto began = std::chrono::steady_clock::now();
  EXPECT_EQ(add_to_group(waiting, 1, 1), BTR_FILE_BUSY);
  EXPECT_GE(std::chrono::steady_clock::now() - began, std::chrono::milliseconds(100));
  ASSERT_EQ(other_user.run("ROLLBACK"), "");
  // Nothing was written, and the record read is still the one stored: the update goes through now.
  EXPECT_EQ(_bt(BTR_UPDATE, waiting, 0, "", 0, 0), BTR_OK);

  // A writer waiting on a row that the other user then changes finds another version: 80.
  ASSERT_EQ(get(BTR_GET_EQUAL, 0, 1), BTR_OK);
  ASSERT_EQ(other_user.run("BEGIN"), "");
  ASSERT_EQ(other_user.run("UPDATE \"rows.ttl\" SET version = version + 1"), "");
  std::future<int> update = std::async(std::launch::async, [this] { return step(BTR_UPDATE, 0); });
  EXPECT_EQ(update.wait_for(std::chrono::milliseconds(200)), std::future_status::timeout);  // held by the lock
  ASSERT_EQ(other_user.run("COMMIT"), "");
  EXPECT_EQ(update.get(), BTR_RECORD_CONFLICT);
  _btclose(&waiting, "", 0, 0);
}

// A walk reads ahead inside its snapshot, never past it: across renewals every record comes once,
// in key order, and one another user adds among the records already read ahead shows once the
// bound has passed.
TEST_F(ServerBackend, AWalkAcrossSnapshotRenewalsMissesNothingAndSeesAnotherUsersInsert) {
  std::vector<std::int32_t> expected;
  for (std::int32_t number = 0; number < 80; number += 2) {
    ASSERT_EQ(insert(row(number, 0, std::to_string(number).c_str())), BTR_OK);
    expected.push_back(number);
  }
  expected.insert(expected.begin() + 16, 31);
  platform::set_record_store_read_snapshot_bound(60000, 7);
  std::vector<std::int32_t> walked;
  int status = step(BTR_GET_FIRST, 0);
  for (; status == BTR_OK && walked.size() < 10; status = step(BTR_GET_NEXT, 0)) walked.push_back(current_number());
  // Number 31 (group 1, name "x"), its keys in the store's encoding.
  test_support::ServerSession other_user(*server);
  ASSERT_EQ(other_user.run("INSERT INTO \"rows.ttl\"(id, version, data, k0, k1, o1, k2) "
                           "SELECT n, 1, '\\x1f000000010000007800000000000000', '\\x8000001f', '\\x80000001', n, "
                           "'\\x7800000000000000' FROM nextval('\"rows.ttl#order\"') n"),
            "");
  for (; status == BTR_OK; status = step(BTR_GET_NEXT, 0)) walked.push_back(current_number());
  platform::set_record_store_read_snapshot_bound(50, 10000);
  EXPECT_EQ(status, BTR_END_OF_FILE);
  EXPECT_EQ(walked, expected);
}

// A practice copied from a folder to the server and back holds, by every key, the same records in
// the same order; a changed record is a difference the check finds.
TEST_F(ServerBackend, APracticeCopiedToTheServerAndBackIsTheSame) {
  test_support::TemporaryFolder from, back;
  ASSERT_EQ(platform::write_demo_practice(from.string()), BTR_OK);
  std::string problem;
  int tables = 0;
  ASSERT_EQ(platform::copy_practice(from.string(), data_path(), [&](const std::string&, int, int) { ++tables; },
                                    &problem),
            BTR_OK)
      << problem;
  EXPECT_EQ(tables, static_cast<int>(platform::practice_tables().size()));
  EXPECT_EQ(platform::copy_practice(from.string(), data_path(), nullptr, &problem), BTR_FILE_EXISTS);
  ASSERT_EQ(platform::copy_practice(data_path(), back.string(), nullptr, &problem), BTR_OK) << problem;
  for (const platform::TableDefinition& definition : platform::practice_tables()) {
    EXPECT_EQ(platform::compare_tables(from.string(), back.string(), definition.file_name, &problem), BTR_OK)
        << definition.file_name << ": " << problem;
  }
  // One client's record changed on the server.
  btrv_fcb* clients = nullptr;
  ASSERT_EQ(_btopen(&clients, 0, 0, 0, 0, data_path().c_str(), "ZORV1005.TTL", "qelbin", 0, "", 0, 0), BTR_OK);
  ASSERT_EQ(_bt(BTR_GET_LAST, clients, 0, "", 0, 0), BTR_OK);
  clients->record_buffer[clients->data_length - 1] ^= 1;
  ASSERT_EQ(_bt(BTR_UPDATE, clients, 0, "", 0, 0), BTR_OK);
  _btclose(&clients, "", 0, 0);
  EXPECT_EQ(platform::compare_tables(from.string(), data_path(), "ZORV1005.TTL", &problem), BTR_IO_ERROR);
  EXPECT_NE(problem.find("differs"), std::string::npos) << problem;
}

#if !defined(_WIN32)

// Eight programs update four shared records for a fixed number of rounds each, re-reading when
// told another got there first. Every refusal is 80, and no update is lost.
TEST_F(ServerBackend, EightUsersUpdatingSharedRecordsLoseNoUpdate) {
  constexpr int kUsers = 8;
  constexpr int kRounds = 25;
  constexpr int kShared = 4;
  for (std::int32_t n = 1; n <= kShared; ++n) ASSERT_EQ(insert(row(n, 0, ("shared" + std::to_string(n)).c_str())), BTR_OK);
  _btclose(&table, "", 0, 0);
  std::vector<pid_t> users;
  for (int user = 0; user < kUsers; ++user) {
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      btrv_fcb* handle = nullptr;
      if (open(&handle) != BTR_OK) _exit(2);
      for (int round = 0; round < kRounds; ++round) {
        const std::int32_t number = (user + round) % kShared + 1;
        int status = BTR_RECORD_CONFLICT;
        while (status == BTR_RECORD_CONFLICT) status = add_to_group(handle, number, 1);
        if (status != BTR_OK) _exit(10 + status % 100);
      }
      _btclose(&handle, "", 0, 0);
      _exit(0);
    }
    users.push_back(pid);
  }
  for (pid_t pid : users) {
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "user exit " << WEXITSTATUS(status);
  }
  ASSERT_EQ(open(&table), BTR_OK);
  int total = 0;
  for (int status = step(BTR_GET_FIRST, 0); status == BTR_OK; status = step(BTR_GET_NEXT, 0)) {
    total += current().group;
    EXPECT_EQ(current().group, kUsers * kRounds / kShared) << "record " << current_number();
  }
  EXPECT_EQ(total, kUsers * kRounds);
}

// A cluster of the test's own, since it kills its server.
class KilledServer : public ::testing::Test {
 protected:
  void SetUp() override {
    // The postgres user runs the server, and must reach its folder.
    std::filesystem::permissions(folder_.path(), std::filesystem::perms::all);
    ASSERT_EQ(cluster("start"), 0) << "the test's own PostgreSQL cluster did not start";
    data_path_ = "postgresql:///postgres?host=" + folder_.string() + "/cluster&user=qarntash#killed";
    ASSERT_EQ(platform::create_table_file(data_path_, row_table()), BTR_OK);
  }
  void TearDown() override { cluster("stop"); }

  int cluster(const char* action) {
    const std::string command = std::string("bash " QARNTASH_TEST_CLUSTER_SCRIPT " ") + action + " " +
                                folder_.string() + "/cluster >/dev/null";
    return std::system(command.c_str());
  }
  int open(btrv_fcb** handle) {
    return _btopen(handle, 0, 0, 16, 8, data_path_.c_str(), "ROWS.TTL", "qelbin", 0, "", 0, 0);
  }

  test_support::TemporaryFolder folder_;
  std::string data_path_;
};

TEST_F(KilledServer, AcknowledgedWritesSurviveAndAWalkCutOffGivesAStatusThenGoesOn) {
  int acknowledgements[2];
  ASSERT_EQ(pipe(acknowledgements), 0);
  const pid_t writer = fork();
  ASSERT_GE(pid_t{writer}, 0);
  if (writer == 0) {
    close(acknowledgements[0]);
    btrv_fcb* handle = nullptr;
    if (open(&handle) != BTR_OK) _exit(2);
    for (std::int32_t n = 1; n < 1000000; ++n) {
      const Row r = row(n, n % 3, std::to_string(n).c_str());
      std::memcpy(handle->record_buffer, &r, sizeof r);
      if (_bt(BTR_INSERT, handle, 0, "", 0, 0) != BTR_OK) _exit(0);  // the server went away
      if (write(acknowledgements[1], &n, sizeof n) != static_cast<ssize_t>(sizeof n)) _exit(5);
    }
    _exit(0);
  }
  close(acknowledgements[1]);
  // A reader part-way through a walk when the server dies.
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  btrv_fcb* reader = nullptr;
  ASSERT_EQ(open(&reader), BTR_OK);
  ASSERT_EQ(_bt(BTR_GET_FIRST, reader, 0, "", 0, 0), BTR_OK);
  std::int32_t walked = 1;
  for (int steps = 0; steps < 20 && _bt(BTR_GET_NEXT, reader, 0, "", 0, 0) == BTR_OK; ++steps) {
    std::int32_t number = 0;
    std::memcpy(&number, reader->record_buffer, sizeof number);
    ASSERT_EQ(number, ++walked);
  }
  ASSERT_EQ(cluster("crash"), 0);
  int writer_status = 0;
  ASSERT_EQ(waitpid(writer, &writer_status, 0), writer);
  EXPECT_TRUE(WIFEXITED(writer_status) && WEXITSTATUS(writer_status) == 0) << WEXITSTATUS(writer_status);
  std::vector<std::int32_t> acknowledged;
  std::int32_t n = 0;
  while (read(acknowledgements[0], &n, sizeof n) == static_cast<ssize_t>(sizeof n)) acknowledged.push_back(n);
  close(acknowledgements[0]);
  ASSERT_GT(acknowledged.size(), 20u) << "the writer wrote too little before the server was killed";

  // With the server gone, steps give what was read ahead and then a status: never a wrong record.
  int status = BTR_OK;
  for (int steps = 0; steps < 5000 && status == BTR_OK; ++steps) {
    status = _bt(BTR_GET_NEXT, reader, 0, "", 0, 0);
    std::int32_t number = 0;
    std::memcpy(&number, reader->record_buffer, sizeof number);
    if (status == BTR_OK) {
      ASSERT_EQ(number, ++walked);
    }
  }
  EXPECT_EQ(status, BTR_IO_ERROR);

  ASSERT_EQ(cluster("resume"), 0);
  // The same handle connects again and walks on from where it was.
  while ((status = _bt(BTR_GET_NEXT, reader, 0, "", 0, 0)) == BTR_OK) {
    std::int32_t number = 0;
    std::memcpy(&number, reader->record_buffer, sizeof number);
    ASSERT_EQ(number, ++walked);
  }
  EXPECT_EQ(status, BTR_END_OF_FILE);
  EXPECT_GE(walked, acknowledged.back());
  for (std::int32_t number : acknowledged) {
    std::memset(reader->key_buffer, 0, 8);
    std::memcpy(reader->key_buffer, &number, sizeof number);
    ASSERT_EQ(_bt(BTR_GET_EQUAL, reader, 0, "", 0, 0), BTR_OK) << "acknowledged record " << number << " lost";
  }
  _btclose(&reader, "", 0, 0);
  EXPECT_EQ(platform::check_table_file(data_path_, "ROWS.TTL"), BTR_OK);
}

#endif

}  // namespace
}  // namespace record_store_test
