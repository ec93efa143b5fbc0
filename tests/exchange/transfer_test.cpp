// The transfer out: the sibling program's member files byte by byte and
// the district's friends-of-scouting totals.
#include <filesystem>

#include "ExchangeTest.h"
#include "common/ConfigFile.h"
#include "common/UnitSettings.h"
#include "common/UnitVocab.h"
#include "exchange/Transfer.h"

namespace {

constexpr long kFileSize = 200L * 512;

class TransferTest : public ExchangeTest {
 protected:
  void SetUp() override {
    ExchangeTest::SetUp();
    UnitSettings unit;
    unit.unitNumber = "123";
    std::snprintf(ProgramFolder, sizeof ProgramFolder, "%s", home_.c_str());
    ASSERT_EQ(WriteUnitSettings(UnitSettingsPath(ProgramFolder), unit), 1);
    out_ = home_ + "/sibling";
  }
  void TearDown() override {
    for (const std::string& p : automation::PendingExpectations()) ADD_FAILURE() << "pending: " << p;
    automation::ClearResponder();
    ExchangeTest::TearDown();
  }
  // The member record of `row` as the sibling program receives it.
  static std::string Transferred(int row) {
    MemberRecord r;
    EXPECT_EQ(RecIO(MemberFile, r.bytes, 512, 0, row), 1);
    std::memset(r.bytes + 320, 0, 192);
    return std::string(reinterpret_cast<const char*>(r.bytes), 512);
  }
  void Transfer() {
    automation::ExpectMessageBox("Information", "Data transfer complete", IDOK);
    WriteMemberTransferFiles(out_.c_str());
  }
  std::string out_;
};

TEST_F(TransferTest, TwelveScoutsIntoNewFiles) {
  for (int i = 0; i < 10; ++i) AddPerson(0, "Scout", std::to_string(i).c_str(), "Eagles", "20070901");
  ASSERT_EQ(ScoutCount, 12);
  Transfer();
  const std::string scouts = ReadAll(out_ + "/szovk.dat"), adults = ReadAll(out_ + "/lzovk.dat");
  ASSERT_EQ(static_cast<long>(scouts.size()), kFileSize);
  ASSERT_EQ(static_cast<long>(adults.size()), kFileSize);
  // Member rows in order, subunits left out (the fixture's row 3).
  int n = 0;
  for (int row = 0; row < MemberTable.rowCount; ++row) {
    if (MemberTable.keys[static_cast<std::size_t>(row)].type == 0) {
      EXPECT_EQ(scouts.substr(static_cast<std::size_t>(n++) * 512, 512), Transferred(row)) << row;
    }
  }
  EXPECT_EQ(n, 12);
  EXPECT_EQ(scouts.find_first_not_of('\0', 12 * 512), std::string::npos);
  EXPECT_EQ(adults.substr(0, 512), Transferred(fixture::kCarl));
  EXPECT_EQ(adults.find_first_not_of('\0', 512), std::string::npos);
  EXPECT_EQ(std::filesystem::status(out_ + "/szovk.dat").permissions() & std::filesystem::perms::group_read,
            std::filesystem::perms::none);
}

TEST_F(TransferTest, IntoAFullOldFileLeavesNoGhostsAndAQuitMemberStaysHome) {
  std::filesystem::create_directories(out_);
  WriteFile("sibling/szovk.dat", std::string(kFileSize + 512, '\xff'));
  MemberTable.keys[fixture::kBen].status = 1;
  // Declining the warning changes nothing.
  automation::ExpectMessageBox("", "The destination data files might not be empty", ANSWER_NO);
  WriteMemberTransferFiles(out_.c_str());
  EXPECT_EQ(ReadAll(out_ + "/szovk.dat"), std::string(kFileSize + 512, '\xff'));
  automation::ExpectMessageBox("", "Any existing Brindlex scouts, adults, and patrols\nmay be overwritten",
                               ANSWER_YES);
  Transfer();
  const std::string scouts = ReadAll(out_ + "/szovk.dat");
  ASSERT_EQ(static_cast<long>(scouts.size()), kFileSize);
  EXPECT_EQ(scouts.substr(0, 512), Transferred(fixture::kAnna));
  EXPECT_EQ(scouts.find_first_not_of('\0', 512), std::string::npos);
}

TEST_F(TransferTest, MoreThanTwoHundredScoutsAsksFirst) {
  ScoutCount = 230;
  automation::ExpectMessageBox("", "There are 230 scouts defined in", ANSWER_NO);
  WriteMemberTransferFiles(out_.c_str());
  EXPECT_NE(automation::ModalLog().back().text.find("only 200 are permitted in Brindlex.\nYou will loose 30 scouts"),
            std::string::npos);
  SetUnitType(1);
  EXPECT_EQ(SiblingScoutsFile("/x/"), "/x/czovk.dat");
  EXPECT_EQ(SiblingAdultsFile("/x"), "/x/azovk.dat");
  SetUnitType(0);
}

TEST_F(TransferTest, FriendsOfScoutingTotals) {
  const std::string path = FosTransferFile(out_.c_str());
  EXPECT_EQ(path, out_ + "/Troop 123 FOS Transfer.xfr");
  const std::pair<const char*, int> slot2[] = {{"2006", 2500}, {"2007", 1000}};
  for (int row = 0; row < 2; ++row) {
    FriendRecord f;
    ASSERT_EQ(ReadRecord(FriendFile, f, row), 1);
    SetText(f.yearLabels[1], slot2[row].first);
    f.yearAmounts[1] = slot2[row].second;
    SetText(f.yearLabels[3], "2008");
    f.yearAmounts[3] = row == 0 ? -700 : 0;
    ASSERT_EQ(WriteRecord(FriendFile, f, row), 1);
  }
  automation::ExpectMessageBox("Information", "Data transfer complete", IDOK);
  WriteFosTransferFile(out_.c_str());
  EXPECT_EQ(ReadAll(path), "2007,2,35.00\r2008,1,-7.00\r");
  // Declining to overwrite keeps the file.
  automation::ExpectMessageBox("", "\" already exists.\n\nDo you wish to overwrite it", ANSWER_NO);
  automation::ExpectMessageBox("Information", "Transfer Cancelled", IDOK);
  FriendTable.rowCount = 0;
  WriteFosTransferFile(out_.c_str());
  EXPECT_EQ(ReadAll(path), "2007,2,35.00\r2008,1,-7.00\r");
  automation::ExpectMessageBox("", "already exists", ANSWER_YES);
  automation::ExpectMessageBox("Information", "No Friends of Scouting Records found", IDOK);
  WriteFosTransferFile(out_.c_str());
  EXPECT_EQ(ReadAll(path), "");
}

}  // namespace
