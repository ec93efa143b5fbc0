#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "common/FileUtil.h"
#include "platform/testing/Automation.h"
#include "platform/dialogs/MessageBox.h"
#include "store/KeyTable.h"
#include "store/RecIO.h"
#include "store/TransStore.h"
#include "store/Fixture.h"
#include "store/StoreUndo.h"

namespace {

TEST(RecIO, ReadsEndOfFileAndPartialRecordsAsMinusOne) {
  FILE* f = std::tmpfile();
  SplitRecord s;
  s.lineKey = 570;
  ASSERT_EQ(WriteRecord(f, s, 0), 1);
  ASSERT_EQ(WriteRecord(f, s, 1), 1);
  SplitRecord back;
  EXPECT_EQ(ReadRecord(f, back, 1), 1);
  EXPECT_EQ(back.lineKey, 570);
  EXPECT_EQ(ReadRecord(f, back, 2), -1);
  std::fseek(f, 0, SEEK_END);
  std::fputs("abc", f);  // a partial third record
  EXPECT_EQ(ReadRecord(f, back, 2), -1);
  BYTE buf[24];
  EXPECT_EQ(RecIO(f, buf, 24, 2, 0), 0);  // no such mode
  std::fclose(f);
}

TEST(RecIO, ARecordBlockStopsAtTheLastWholeRecord) {
  // A buffered stream, then the year's kept-open sub-account file.
  FILE* f = std::tmpfile();
  for (int i = 0; i < 3; ++i) {
    SplitRecord s;
    s.lineKey = 10 * i;
    ASSERT_EQ(WriteRecord(f, s, i), 1);
  }
  std::fseek(f, 0, SEEK_END);
  std::fputs("abc", f);  // a partial fourth record
  std::vector<SplitRecord> block;
  EXPECT_EQ(ReadRecords(f, block, 1, 10), 2);
  ASSERT_EQ(block.size(), 2u);
  EXPECT_EQ(block[0].lineKey, 10);
  EXPECT_EQ(block[1].lineKey, 20);
  EXPECT_EQ(ReadRecords(f, block, 5, 2), 0);
  std::fclose(f);

  fixture::FiscalYear fy;
  std::vector<SubAccountRecord> shares;
  ASSERT_EQ(ReadRecords(SubAcctFile, shares, 0, SubAcctTable.rowCount), SubAcctTable.rowCount);
  for (int r = 0; r < SubAcctTable.rowCount; ++r) {
    SubAccountRecord one;
    ASSERT_EQ(ReadRecord(SubAcctFile, one, r), 1);
    EXPECT_EQ(shares[static_cast<size_t>(r)].lineKey, one.lineKey);
    EXPECT_EQ(shares[static_cast<size_t>(r)].cash, one.cash);
  }
}

// Reads served from the read copies see every write made meanwhile, an
// appended record, the end of the file, and the bytes an undo put back.
TEST(RecIO, ReadCopiesFollowWritesAppendsAndUndo) {
  fixture::FiscalYear fy;
  const int rows = SplitTable.rowCount;
  RecordReadCache cache;
  SplitRecord s;
  ASSERT_EQ(ReadRecord(SplitFile, s, 0), 1);  // the copy is taken here
  const LONG first = s.lineKey;
  s.lineKey = 4242;
  ASSERT_EQ(WriteRecord(SplitFile, s, 0), 1);
  s.lineKey = 4343;
  ASSERT_EQ(WriteRecord(SplitFile, s, rows), 1);
  SplitRecord back;
  ASSERT_EQ(ReadRecord(SplitFile, back, 0), 1);
  EXPECT_EQ(back.lineKey, 4242);
  ASSERT_EQ(ReadRecord(SplitFile, back, rows), 1);
  EXPECT_EQ(back.lineKey, 4343);
  EXPECT_EQ(ReadRecord(SplitFile, back, rows + 1), -1);
  {
    StoreUndo undo;
    s.lineKey = 4444;
    ASSERT_EQ(WriteRecord(SplitFile, s, 0), 1);
    ASSERT_EQ(ReadRecord(SplitFile, back, 0), 1);
    EXPECT_EQ(back.lineKey, 4444);
  }
  ASSERT_EQ(ReadRecord(SplitFile, back, 0), 1);
  EXPECT_EQ(back.lineKey, 4242);
  s.lineKey = first;
  ASSERT_EQ(WriteRecord(SplitFile, s, 0), 1);
}

TEST(RecIO, NullHandleShowsItsMessage) {
  automation::ExpectMessageBox("Error", "NULL RecIO file pointer", IDOK);
  automation::ExpectMessageBox("Error", "NULL RecIO file pointer", IDOK);
  BYTE buf[12] = {};
  EXPECT_EQ(RecIO(nullptr, buf, 12, 0, 0), 0);
  EXPECT_EQ(RecIO(nullptr, buf, 12, 1, 0), 0);
  EXPECT_TRUE(automation::PendingExpectations().empty());
}

TEST(RecIO, FullDiskRefusesTheWriteAndLeavesTheFile) {
  fixture::FiscalYear fy(false);
  SetFreeSpaceQuery([](const char*, unsigned long long* free) {
    *free = 5;
    return true;
  });
  automation::ExpectMessageBox("Error", "Not enough disk space for operation", IDOK);
  ReserveRecord r{1, 710, 500};
  ASSERT_EQ(OpenReserveFile(), 1);
  EXPECT_EQ(WriteRecord(ReserveFile, r, 0), 0);
  CloseReserveFile();
  SetFreeSpaceQuery(nullptr);
  EXPECT_EQ(fixture::FileSize(fixture::FilePath(fy, "resrv")), 0);
}

TEST(RecIO, DataFileNames) {
  BuildDataFileNames("/data/fy2008", "08");
  EXPECT_STREQ(SupportPath, "/data/fy2008/suppt408.dat");
  EXPECT_STREQ(AcctPath, "/data/fy2008/acct408.dat");
  EXPECT_STREQ(UnitPath, "/data/fy2008/unit408.dat");
  EXPECT_STREQ(AcctGroupBase, "/data/fy2008/ag408");
}

TEST(RecIO, OlderFileInOtherCaseIsFound) {
  fixture::FiscalYear fy(false);
  CloseDataFiles();
  std::string lower = fixture::FilePath(fy, "trans");
  ASSERT_EQ(std::rename(lower.c_str(), (fy.folder() + "/TRANS408.DAT").c_str()), 0);
  BuildDataFileNames(fy.folder().c_str(), "08");
  EXPECT_EQ(std::string(TransPath), fy.folder() + "/TRANS408.DAT");
}

// A posting writes a dozen records; the volume is asked for its free space
// once for all of them, and again only when they would not fit what it had.
TEST(RecIO, APostingAsksForFreeSpaceOnceAndStillStopsAtAFullDisk) {
  fixture::FiscalYear fy;
  int queries = 0;
  unsigned long long free = 1 << 20;
  SetFreeSpaceQuery([&](const char*, unsigned long long* out) {
    ++queries;
    *out = free;
    return true;
  });
  auto d = std::make_unique<TransactionDetail>();
  TransactionRecord& t = fixture::StartTransaction(*d, NextTransId, 5, "20080510", 1, 10000, "D9", "Car wash");
  fixture::SplitFundraisingLine(*d, 4000, 6000);
  ASSERT_EQ(AddTransaction(&t, d->lines, d->splits, d->shares), 1);
  EXPECT_EQ(queries, 1);

  // Room for only part of the next posting: it is refused whole.
  const long trans = fixture::FileSize(fixture::FilePath(fy, "trans"));
  free = 200;
  queries = 0;
  automation::AlwaysAnswer("", "", IDOK);
  TransactionRecord& u = fixture::StartTransaction(*d, NextTransId, 5, "20080511", 1, 10000, "D10", "Car wash");
  fixture::SplitFundraisingLine(*d, 4000, 6000);
  EXPECT_EQ(AddTransaction(&u, d->lines, d->splits, d->shares), 0);
  automation::ClearResponder();
  SetFreeSpaceQuery(nullptr);
  EXPECT_GE(queries, 2);
  EXPECT_EQ(fixture::FileSize(fixture::FilePath(fy, "trans")), trans);
}

}  // namespace
