// Record operations on real store files: the effects callers rely on.
#include "core/record_store.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>

#include "core/store_schemas.h"
#include "tests/support/temp_folder.h"

namespace vostrel::core {
namespace {

using test::TempFolder;

class RecordStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const StoreSchema* schema : AllStoreSchemas())
      ASSERT_TRUE(store::RecordFile::Create(folder_.File(schema->file_name), schema->fields, false));
  }
  std::string Path(const StoreSchema& schema) const { return folder_.File(schema.file_name); }

  void AddSeen(const std::vector<std::string>& ids) {
    stores_.SelectStore(kSeenAlias);
    for (const auto& id : ids) ASSERT_TRUE(stores_.AddRecord({id}));
  }

  StoreCondition TextIs(const std::string& field, const std::string& text) {
    return [this, field, text] { return stores_.ReadText(field) == text; };
  }

  TempFolder folder_;
  StoreSet stores_;
};

TEST_F(RecordStoreTest, OpenRefusesSameFileUnderAnotherAliasAndBadFiles) {
  ASSERT_TRUE(stores_.OpenStore(Path(SeenStoreSchema()), "xuhao"));
  std::string shouted = Path(SeenStoreSchema());
  std::transform(shouted.begin(), shouted.end(), shouted.begin(), ::toupper);
  EXPECT_TRUE(stores_.IsStoreOpen(shouted));
  EXPECT_FALSE(stores_.OpenStore(Path(SeenStoreSchema()), "other"));
  EXPECT_FALSE(stores_.OpenStore(folder_.File("./xuhao.edb"), "other"));

  test::WriteWholeFile(folder_.path() / "empty.edb", "");
  test::WriteWholeFile(folder_.path() / "junk.edb", std::string(4096, 'x'));
  for (const char* name : {"missing.edb", "empty.edb", "junk.edb"})
    EXPECT_FALSE(stores_.OpenStore(folder_.File(name), name)) << name;
  // Still the seen store current after the failures.
  stores_.SelectStore("XUHAO");
  EXPECT_TRUE(stores_.AddRecord({std::string("a")}));
  EXPECT_EQ(stores_.RecordCount(), 1);
}

TEST_F(RecordStoreTest, AddRecordFillsLeftOutAndTrailingFieldsWithEmptyValues) {
  ASSERT_TRUE(stores_.OpenStore(Path(MailStoreSchema()), kMailAlias));
  ASSERT_TRUE(stores_.AddRecord({std::string("id1"), std::nullopt, std::string("subject"), DateTime{86400},
                                 std::string("body"), int32_t{2}}));
  EXPECT_EQ(stores_.CurrentRecord(), 0);
  EXPECT_EQ(stores_.ReadText(kSubject), "subject");
  EXPECT_EQ(stores_.ReadText(kSenderAddress), "");
  EXPECT_EQ(stores_.ReadNumber(kAttachmentCount), 2);
  EXPECT_EQ(stores_.ReadNumber(kMailStatusField), 0);
  EXPECT_EQ(stores_.ReadText(kBccAddresses), "");
  EXPECT_EQ(stores_.ReadDate(kDate), DateTime{86400});
  // A value of the wrong type changes nothing.
  EXPECT_FALSE(stores_.AddRecord({int32_t{5}}));
  EXPECT_EQ(stores_.RecordCount(), 1);
  ASSERT_TRUE(stores_.AddRecord({std::string("id2")}));
  EXPECT_EQ(stores_.CurrentRecord(), 1);
  EXPECT_EQ(stores_.ReadText(1), "id2");
}

TEST_F(RecordStoreTest, ReadAtEndPositionGivesEmptyValues) {
  ASSERT_TRUE(stores_.OpenStore(Path(AttachmentStoreSchema()), kAttachmentAlias));
  ASSERT_TRUE(stores_.AddRecord({std::string("m"), int32_t{3}, std::string("t"), std::string("f"), std::string("e"),
                                 Bytes{"abc"}, true}));
  stores_.GoToFirstRecord();
  EXPECT_TRUE(stores_.SkipRecord());
  EXPECT_FALSE(stores_.SkipRecord());
  EXPECT_EQ(stores_.CurrentRecord(), 1);
  EXPECT_EQ(stores_.ReadText(kAttachmentFileName), "");
  EXPECT_EQ(stores_.ReadNumber(kAttachmentSize), 0);
  EXPECT_EQ(stores_.ReadBytes(kAttachmentData), "");
  EXPECT_EQ(stores_.ReadField(kAttachmentInline), FieldValue(false));
}

TEST_F(RecordStoreTest, FindRecordStartsAtCurrentAndRestoresItOnFailure) {
  ASSERT_TRUE(stores_.OpenStore(Path(SeenStoreSchema()), kSeenAlias));
  AddSeen({"a", "b", "c", "b"});
  stores_.GoToFirstRecord();
  ASSERT_TRUE(stores_.FindRecord(TextIs(kMailId, "b")));
  EXPECT_EQ(stores_.CurrentRecord(), 1);
  ASSERT_TRUE(stores_.FindRecord(TextIs(kMailId, "b")));  // the current record itself
  EXPECT_EQ(stores_.CurrentRecord(), 1);
  stores_.SkipRecord();
  stores_.SkipRecord();
  EXPECT_FALSE(stores_.FindRecord(TextIs(kMailId, "a")));  // already past it
  EXPECT_EQ(stores_.CurrentRecord(), 3);
  stores_.SkipRecord();
  EXPECT_FALSE(stores_.FindRecord([] { return true; }));  // from the end position
  EXPECT_EQ(stores_.CurrentRecord(), 4);
}

TEST_F(RecordStoreTest, IndexedTextSearchAgreesWithTheScan) {
  ASSERT_TRUE(stores_.OpenStore(Path(MailStoreSchema()), kMailAlias));
  // Two records with an empty identifier: one written empty, one left out.
  ASSERT_TRUE(stores_.AddRecord({std::string("x")}));
  ASSERT_TRUE(stores_.AddRecord({std::string(""), std::string("first")}));
  ASSERT_TRUE(stores_.AddRecord({std::nullopt, std::string("second")}));
  ASSERT_TRUE(stores_.AddRecord({std::string("x")}));
  for (const std::string wanted : {"x", "", "nothing"}) {
    for (int64_t from = 0; from <= 4; ++from) {
      stores_.GoToRecord(from);
      const bool scanned = stores_.FindRecord(TextIs(kMailId, wanted));
      const int64_t scan_at = stores_.CurrentRecord();
      stores_.GoToRecord(from);
      EXPECT_EQ(stores_.FindText(kMailId, wanted), scanned) << wanted << " from " << from;
      EXPECT_EQ(stores_.CurrentRecord(), scan_at) << wanted << " from " << from;
    }
  }
  stores_.GoToFirstRecord();
  ASSERT_TRUE(stores_.FindText(kMailId, ""));
  EXPECT_EQ(stores_.ReadText(kSenderAddress), "first");
}

TEST_F(RecordStoreTest, DeletePurgeWriteAndCopy) {
  ASSERT_TRUE(stores_.OpenStore(Path(MailStoreSchema()), kMailAlias));
  for (int status : {1, 3, 1, 3})
    ASSERT_TRUE(stores_.AddRecord({std::string("id") + std::to_string(stores_.RecordCount()), std::nullopt,
                                   std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt,
                                   std::nullopt, std::nullopt, std::nullopt, std::nullopt, int32_t{status}}));
  stores_.GoToRecord(2);
  ASSERT_TRUE(stores_.WriteField(kMailStatusField, "MAIL", int32_t{4}));
  const auto deleted = [this] { return SameStatus(stores_.ReadNumber(kMailStatusField), 3); };

  ASSERT_TRUE(stores_.CopyMatching(folder_.File("temp1.edb"), deleted));
  EXPECT_EQ(stores_.CurrentRecord(), 2);
  ASSERT_TRUE(stores_.DeleteMatching(deleted));
  EXPECT_EQ(stores_.CurrentRecord(), 2);
  EXPECT_EQ(stores_.RecordCount(), 4);
  ASSERT_TRUE(stores_.PurgeDeleted());
  ASSERT_EQ(stores_.RecordCount(), 2);
  stores_.GoToFirstRecord();
  EXPECT_EQ(stores_.ReadText(kMailId), "id0");
  stores_.SkipRecord();
  EXPECT_EQ(stores_.ReadText(kMailId), "id2");
  EXPECT_EQ(stores_.ReadNumber(kMailStatusField), 4);

  ASSERT_FALSE(stores_.IsStoreOpen(folder_.File("temp1.edb")));
  ASSERT_TRUE(stores_.OpenStore(folder_.File("temp1.edb"), "temp1"));
  ASSERT_EQ(stores_.RecordCount(), 2);
  EXPECT_EQ(stores_.ReadText(kMailId), "id1");
  stores_.CloseStore("temp1");
  EXPECT_FALSE(stores_.HasCurrentStore());
  EXPECT_EQ(stores_.RecordCount(), 0);
}

TEST_F(RecordStoreTest, CancelledWritesLeaveNothing) {
  ASSERT_TRUE(stores_.OpenStore(Path(SeenStoreSchema()), kSeenAlias));
  AddSeen({"kept"});
  ASSERT_TRUE(stores_.BeginWrites(kSeenAlias));
  AddSeen({"gone1", "gone2"});
  stores_.CancelWrites(kSeenAlias);
  EXPECT_EQ(stores_.RecordCount(), 1);
  stores_.CloseStore(kSeenAlias);
  ASSERT_TRUE(stores_.OpenStore(Path(SeenStoreSchema()), kSeenAlias));
  EXPECT_EQ(stores_.RecordCount(), 1);
}

// A child adds records and reports each add that returned true through a
// pipe; it is killed mid-stream. Every reported record must be in the file.
TEST_F(RecordStoreTest, RecordsSurviveKillNine) {
  int report[2];
  ASSERT_EQ(pipe(report), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    close(report[0]);
    StoreSet stores;
    if (!stores.OpenStore(Path(AttachmentStoreSchema()), kAttachmentAlias)) _exit(2);
    for (int32_t i = 0;; ++i) {
      if (stores.AddRecord({std::to_string(i), i, std::nullopt, std::nullopt, std::nullopt,
                            Bytes{std::string(4096, static_cast<char>('a' + i % 26))}}))
        if (write(report[1], &i, sizeof i) != sizeof i) _exit(3);
    }
  }
  close(report[1]);
  int32_t last = -1, value;
  while (last < 40 && read(report[0], &value, sizeof value) == sizeof value) last = value;
  kill(child, SIGKILL);
  while (read(report[0], &value, sizeof value) == sizeof value) last = value;
  close(report[0]);
  waitpid(child, nullptr, 0);

  ASSERT_TRUE(stores_.OpenStore(Path(AttachmentStoreSchema()), kAttachmentAlias));
  ASSERT_GE(stores_.RecordCount(), last + 1);
  for (int32_t i = 0; i <= last; ++i) {
    stores_.GoToRecord(i);
    ASSERT_EQ(stores_.ReadText(kAttachmentMailId), std::to_string(i));
    ASSERT_EQ(stores_.ReadBytes(kAttachmentData), std::string(4096, static_cast<char>('a' + i % 26)));
  }
}

}  // namespace
}  // namespace vostrel::core
