// The store engine on real files: long values kept out of the row must read,
// change, vanish and copy exactly as short ones do.
#include "platform/store/record_file.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <string>
#include <thread>

#include "tests/support/temp_folder.h"

namespace vostrel::store {
namespace {

// Mirrors the engine's limit: values longer than this leave the row.
constexpr size_t kLimit = 256;

const std::vector<FieldDef> kFields = {{"name", FieldType::kText},
                                       {"body", FieldType::kText},
                                       {"data", FieldType::kBytes},
                                       {"size", FieldType::kInteger},
                                       {"when", FieldType::kDateTime},
                                       {"flag", FieldType::kBoolean}};

std::string Text(size_t size, char fill = 'x') { return std::string(size, fill); }

class RecordFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(RecordFile::Create(path_, kFields, false));
    file_ = RecordFile::Open(path_);
    ASSERT_TRUE(file_);
  }

  // Rows in the out-of-line table, counted through a second connection.
  int64_t OutOfLineRows(const std::string& path) const {
    sqlite3* db = nullptr;
    int64_t count = -1;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
      sqlite3_stmt* stmt = nullptr;
      if (sqlite3_prepare_v2(db, "SELECT count(*) FROM store_values", -1, &stmt, nullptr) == SQLITE_OK &&
          sqlite3_step(stmt) == SQLITE_ROW)
        count = sqlite3_column_int64(stmt, 0);
      sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    return count;
  }
  int64_t OutOfLineRows() const { return OutOfLineRows(path_); }

  void AppendBodies(const std::vector<std::string>& bodies) {
    for (const auto& body : bodies)
      ASSERT_TRUE(file_->Append({std::string("n"), body, Bytes{body}, int32_t(body.size())}));
  }

  test::TempFolder folder_;
  std::string path_ = folder_.File("store.edb");
  std::unique_ptr<RecordFile> file_;
};

TEST_F(RecordFileTest, ValuesAroundTheLimitReadBackWholeAfterReopen) {
  const std::vector<size_t> sizes = {0, 1, kLimit - 1, kLimit, kLimit + 1, 20'000};
  for (size_t size : sizes) {
    const std::string body = Text(size, static_cast<char>('a' + size % 26));
    ASSERT_TRUE(file_->Append({std::string("n"), body, Bytes{body}, int32_t(size), DateTime{42}, true}));
  }
  ASSERT_TRUE(file_->Append({std::nullopt, std::nullopt, std::nullopt, int32_t{7}}));
  EXPECT_EQ(OutOfLineRows(), 4);  // body and data of the two long records

  file_ = RecordFile::Open(path_);
  ASSERT_TRUE(file_);
  for (size_t i = 0; i < sizes.size(); ++i) {
    const std::string body = Text(sizes[i], static_cast<char>('a' + sizes[i] % 26));
    SCOPED_TRACE(sizes[i]);
    EXPECT_EQ(file_->Read(i, 1), FieldValue(body));
    EXPECT_EQ(file_->Read(i, 2), FieldValue(Bytes{body}));
    EXPECT_EQ(file_->Read(i, 3), FieldValue(int32_t(sizes[i])));
    EXPECT_EQ(file_->Read(i, 4), FieldValue(DateTime{42}));
    EXPECT_EQ(file_->Read(i, 5), FieldValue(true));
  }
  const int64_t left_out = static_cast<int64_t>(sizes.size());
  EXPECT_EQ(file_->Read(left_out, 1), FieldValue(std::string()));
  EXPECT_EQ(file_->Read(left_out, 2), FieldValue(Bytes{}));
  EXPECT_EQ(file_->Read(left_out, 5), FieldValue(false));
}

// Each step changes the body of record 0 and says how many out-of-line rows
// the store then holds; record 1 keeps its long body throughout.
TEST_F(RecordFileTest, ChangesBetweenLongAndShortLeaveNoStaleValue) {
  AppendBodies({Text(10), Text(5000, 'k')});
  struct Step {
    const char* how;
    std::string body;
    int64_t rows;
  };
  const std::vector<Step> steps = {
      {"write", Text(300, 'a'), 3},        {"write", Text(3, 'b'), 2},
      {"write", Text(900, 'c'), 3},        {"write", Text(901, 'd'), 3},
      {"modify", Text(kLimit, 'e'), 2},    {"modify", Text(kLimit + 1, 'f'), 4},
      {"modify", Text(0), 2},              {"modify", Text(20'000, 'g'), 4},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(std::string(step.how) + " " + std::to_string(step.body.size()));
    if (std::string(step.how) == "write") {
      ASSERT_TRUE(file_->Write(0, 1, step.body));
    } else {
      // Modify sets name, body and data; size and later fields keep theirs.
      ASSERT_TRUE(file_->Modify(0, {std::string("m"), step.body, Bytes{step.body}}));
      EXPECT_EQ(file_->Read(0, 2), FieldValue(Bytes{step.body}));
      EXPECT_EQ(file_->Read(0, 3), FieldValue(int32_t{10}));
    }
    EXPECT_EQ(file_->Read(0, 1), FieldValue(step.body));
    EXPECT_EQ(file_->Read(1, 1), FieldValue(Text(5000, 'k')));
    EXPECT_EQ(OutOfLineRows(), step.rows);
  }
}

TEST_F(RecordFileTest, PurgeRemovesOutOfLineValuesOfPurgedRecordsOnly) {
  AppendBodies({Text(1000, 'a'), Text(5, 'b'), Text(2000, 'c'), Text(3000, 'd')});
  ASSERT_TRUE(file_->Mark(0));
  ASSERT_TRUE(file_->Mark(1));
  ASSERT_TRUE(file_->Mark(3));
  ASSERT_TRUE(file_->Purge());
  ASSERT_EQ(file_->Count(), 1);
  EXPECT_EQ(file_->Read(0, 1), FieldValue(Text(2000, 'c')));
  EXPECT_EQ(OutOfLineRows(), 2);
  // A record added after the purge does not pick up a purged one's values.
  ASSERT_TRUE(file_->Append({std::string("new")}));
  EXPECT_EQ(file_->Read(1, 1), FieldValue(std::string()));
}

TEST_F(RecordFileTest, CopyToCarriesLongValuesIntoAValidStore) {
  AppendBodies({Text(1000, 'a'), Text(5, 'b'), Text(2000, 'c')});
  const std::string copy_path = folder_.File("copy.edb");
  ASSERT_TRUE(file_->CopyTo(copy_path, {2, 0, 1}));
  const auto copy = RecordFile::Open(copy_path);
  ASSERT_TRUE(copy);
  ASSERT_EQ(copy->Fields().size(), kFields.size());
  for (size_t i = 0; i < kFields.size(); ++i) EXPECT_EQ(copy->Fields()[i].name, kFields[i].name);
  ASSERT_EQ(copy->Count(), 3);
  EXPECT_EQ(copy->Read(0, 1), FieldValue(Text(2000, 'c')));
  EXPECT_EQ(copy->Read(1, 2), FieldValue(Bytes{Text(1000, 'a')}));
  EXPECT_EQ(copy->Read(2, 1), FieldValue(Text(5, 'b')));
  EXPECT_EQ(OutOfLineRows(copy_path), 4);
  // The copy's long values are its own: purging there leaves ours alone.
  ASSERT_TRUE(copy->Mark(0));
  ASSERT_TRUE(copy->Purge());
  EXPECT_EQ(file_->Read(2, 1), FieldValue(Text(2000, 'c')));
}

TEST_F(RecordFileTest, CopyToItsOwnFileIsRefusedAndLosesNothing) {
  AppendBodies({Text(1000, 'a')});
  EXPECT_FALSE(file_->CopyTo(path_, {0}));
  EXPECT_FALSE(file_->CopyTo(folder_.File("./store.edb"), {0}));
  EXPECT_EQ(file_->Read(0, 1), FieldValue(Text(1000, 'a')));
  EXPECT_EQ(RecordFile::Open(path_)->Count(), 1);
}

TEST_F(RecordFileTest, FindEqualOnLongValuesGivesTheScansAnswer) {
  // Same length, differing in the last byte only; and a short value whose text
  // is the long values' length, which must not match their row markers.
  const std::string a = Text(500, 'z') + "a";
  const std::string b = Text(500, 'z') + "b";
  AppendBodies({b, a, "501", a, Text(kLimit), ""});
  ASSERT_TRUE(file_->Append({std::string("n")}));  // body left out
  struct Case {
    FieldValue value;
    int64_t from;
    int64_t found;
  };
  const std::vector<Case> cases = {
      {a, 0, 1},       {a, 2, 3},          {a, 4, -1},  {b, 0, 0}, {b, 1, -1}, {Text(500, 'z') + "c", 0, -1},
      {std::string("501"), 0, 2}, {Text(kLimit), 0, 4}, {std::string(), 0, 5}, {std::string(), 6, 6},
  };
  for (const Case& c : cases) {
    const auto& text = std::get<std::string>(c.value);
    SCOPED_TRACE(text.substr(text.size() > 3 ? text.size() - 3 : 0) + " from " + std::to_string(c.from));
    EXPECT_EQ(file_->FindEqual(1, c.value, c.from), c.found);
  }
  EXPECT_EQ(file_->FindEqual(2, FieldValue(Bytes{a}), 0), 1);
  EXPECT_EQ(file_->FindEqual(2, FieldValue(Bytes{"501"}), 0), 2);
}

TEST_F(RecordFileTest, RollbackUndoesLongValuesWithTheRest) {
  AppendBodies({Text(1000, 'a'), Text(2000, 'b')});
  ASSERT_TRUE(file_->Begin());
  ASSERT_TRUE(file_->Append({std::string("n"), Text(3000, 'c')}));
  ASSERT_TRUE(file_->Write(0, 1, Text(4, 'd')));
  ASSERT_TRUE(file_->Modify(1, {std::string("m"), Text(4000, 'e')}));
  ASSERT_TRUE(file_->Mark(0));
  ASSERT_TRUE(file_->Purge());
  EXPECT_EQ(file_->Count(), 2);
  file_->Rollback();

  file_ = RecordFile::Open(path_);
  ASSERT_TRUE(file_);
  ASSERT_EQ(file_->Count(), 2);
  EXPECT_FALSE(file_->IsMarked(0));
  EXPECT_EQ(file_->Read(0, 1), FieldValue(Text(1000, 'a')));
  EXPECT_EQ(file_->Read(1, 1), FieldValue(Text(2000, 'b')));
  EXPECT_EQ(OutOfLineRows(), 4);
}

// Reads share a snapshot briefly; another handle's writes are neither blocked
// by it nor hidden for long, and a write here starts from the newest state.
TEST_F(RecordFileTest, AnotherHandlesWritesShowAfterTheSnapshot) {
  AppendBodies({Text(10, 'a'), Text(10, 'b')});
  EXPECT_EQ(file_->Read(0, 1), FieldValue(Text(10, 'a')));
  const auto other = RecordFile::Open(path_);
  ASSERT_TRUE(other);
  ASSERT_TRUE(other->Write(0, 1, Text(1000, 'c')));
  ASSERT_TRUE(file_->Write(1, 3, int32_t{99}));
  EXPECT_EQ(file_->Read(0, 1), FieldValue(Text(1000, 'c')));

  EXPECT_EQ(file_->Read(1, 1), FieldValue(Text(10, 'b')));
  ASSERT_TRUE(other->Write(1, 1, Text(20, 'd')));
  std::this_thread::sleep_for(std::chrono::milliseconds(150));
  EXPECT_EQ(file_->Read(1, 1), FieldValue(Text(20, 'd')));
  EXPECT_EQ(file_->Read(1, 3), FieldValue(int32_t{99}));
}

// Files that are SQLite but not a store of this layout open as nothing.
TEST(RecordFileOpen, RefusesOtherSqliteLayouts) {
  test::TempFolder folder;
  const std::vector<std::pair<const char*, const char*>> layouts = {
      {"other", "CREATE TABLE notes (id INTEGER PRIMARY KEY, text TEXT)"},
      {"earlier",
       "PRAGMA application_id=1448301650;"
       "CREATE TABLE store_fields (position INTEGER PRIMARY KEY, name TEXT NOT NULL, type INTEGER NOT NULL);"
       "CREATE TABLE store_records (id INTEGER PRIMARY KEY AUTOINCREMENT, marked INTEGER NOT NULL DEFAULT 0,"
       " f1 TEXT);"
       "INSERT INTO store_fields VALUES (1, 'name', 1)"},
      {"no values table",
       "PRAGMA application_id=1448301650; PRAGMA user_version=2;"
       "CREATE TABLE store_fields (position INTEGER PRIMARY KEY, name TEXT NOT NULL, type INTEGER NOT NULL);"
       "CREATE TABLE store_records (id INTEGER PRIMARY KEY AUTOINCREMENT, marked INTEGER NOT NULL DEFAULT 0,"
       " f1);"
       "INSERT INTO store_fields VALUES (1, 'name', 1)"},
  };
  for (const auto& [name, sql] : layouts) {
    SCOPED_TRACE(name);
    const std::string path = folder.File(std::string(name) + ".db");
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    EXPECT_FALSE(RecordFile::Open(path));
  }
  // The control: a store made here opens.
  ASSERT_TRUE(RecordFile::Create(folder.File("store.edb"), {{"name", FieldType::kText}}, false));
  EXPECT_TRUE(RecordFile::Open(folder.File("store.edb")));
}

}  // namespace
}  // namespace vostrel::store
