// The register export: its lines, fields and amounts on the fixture year.
#include <fstream>
#include <sstream>

#include "RptYear.h"
#include "reports/RegisterExport.h"
#include "store/AcctClass.h"
#include "store/OtherStores.h"

namespace {

class RegisterExportTest : public RptYearTest {
 protected:
  // The file's lines (without their CR LF); every line must end in CR LF.
  std::vector<std::string> Export(std::vector<int> accounts, const char* from = "20080101",
                                  const char* to = "20081231", int idle = 0, int names = 0,
                                  const char* qualifier = "", char order = 'D', int* result = nullptr) {
    const std::string path = home_ + "/register.txt";
    const int n = ExportRegister(path.c_str(), accounts, order, 0, '\t', qualifier, names, idle, from, to);
    if (result) *result = n;
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    std::vector<std::string> lines;
    const std::string all = s.str();
    std::size_t start = 0;
    for (std::size_t end = all.find("\r\n"); end != std::string::npos; end = all.find("\r\n", start)) {
      lines.push_back(all.substr(start, end - start));
      start = end + 2;
    }
    EXPECT_EQ(start, all.size()) << "every line ends in CR LF";
    EXPECT_EQ(static_cast<int>(lines.size()), n);
    return lines;
  }
  static std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> f;
    std::size_t start = 0;
    for (std::size_t tab = line.find('\t'); tab != std::string::npos; tab = line.find('\t', start)) {
      f.push_back(line.substr(start, tab - start));
      start = tab + 1;
    }
    f.push_back(line.substr(start));
    return f;
  }
  // A multi-line deposit of 300.00 on checking in June: 100.00 fundraising,
  // 200.00 dues split for Anna.
  void AddMultiLineDeposit() {
    auto d = std::make_unique<TransactionDetail>();
    TransactionRecord& t =
        fixture::StartTransaction(*d, NextTransId++, 6, "20080601", 1, 30000, "DEP2", "Car wash");
    t.multiLine = 1;
    d->lines[0].account = 520;
    d->lines[0].amount = 10000;
    d->lines[0].factor = SignedAmountByType('A', 1, 520);
    SetText(d->lines[0].remarks, "Wash {soap}");
    d->lines[1].account = 599;
    d->lines[1].amount = 20000;
    d->lines[1].factor = SignedAmountByType('A', 1, 599);
    d->lines[1].split = 1;
    d->splits[1].factor = 1;
    d->shares[1][fixture::kAnna].cash = 20000;
    ASSERT_EQ(AddTransaction(&t, d->lines, d->splits, d->shares), 1);
  }
};

TEST_F(RegisterExportTest, CheckingGivesOpeningAndPrimaryLinesWithRunningBalance) {
  const auto lines = Export({101});
  const std::vector<std::string> expected = {
      "101\tChecking\t\t\tOpening Balance\t\t\t  1000.00 \t\t\t\t\t\t\t",
      "101\tChecking\tDEP1\t02/10/08\tPopcorn sale\t\t   100.00 \t  1100.00 \t \tX\t\t520\tFundraising\t\t",
      "101\tChecking\t1001\t03/05/08\tCamp store\t    50.00 \t\t  1050.00 \t \t \t\t620\tCamping\t710\tCamp Reserve",
      "101\tChecking\t1002\t04/12/08\tOutfitters\t    80.00 \t\t   970.00 \t \t \tCanoe\t399\tEquipment\t\t"};
  EXPECT_EQ(lines, expected);
}

TEST_F(RegisterExportTest, MultiLineTransactionUnderEveryAccountItPostsTo) {
  AddMultiLineDeposit();
  const auto lines = Export({101, 520, 599}, "20080601", "20080630");
  ASSERT_EQ(lines.size(), 6u);  // each account opens with its balance
  // Primary: "<s>", always split, no support or reserve names.
  const auto primary = Fields(lines[1]);
  ASSERT_EQ(primary.size(), 15u);
  EXPECT_EQ(primary[2], "DEP2");
  EXPECT_EQ(primary[9], "X");
  EXPECT_EQ(primary[11], "<s>");
  EXPECT_EQ(primary[12], "");
  EXPECT_EQ(primary[6], "   300.00 ");
  // Support lines: "<sup>", the account as "%d", its own remarks and amount,
  // and an empty Split on a multi-line transaction.
  for (int i : {3, 5}) {
    const auto f = Fields(lines[static_cast<std::size_t>(i)]);
    EXPECT_EQ(f[2], "<sup>");
    EXPECT_EQ(f[3], "06/01/08");
    EXPECT_EQ(f[4], "Car wash");
    EXPECT_EQ(f[9], "");
    EXPECT_EQ(f[11], f[0]);
    EXPECT_EQ(f[12], f[1]);
  }
  EXPECT_EQ(Fields(lines[3])[10], "Wash {soap}");
  EXPECT_EQ(Fields(lines[3])[0], "520");
  EXPECT_EQ(Fields(lines[5])[0], "599");
  EXPECT_EQ(Fields(lines[5])[7], "   200.00 ");
  EXPECT_EQ(lines[4].substr(0, 20), "599\tDues\t\t\tOpening B");
}

TEST_F(RegisterExportTest, SupportLineCarriesItsReserveAccount) {
  const auto lines = Export({620});
  ASSERT_EQ(lines.size(), 2u);
  const auto f = Fields(lines[1]);
  EXPECT_EQ(f[2], "<sup>");
  EXPECT_EQ(f[9], " ");  // a single line without a passbook split
  EXPECT_EQ(f[11], "620");
  EXPECT_EQ(f[13], "710");
  EXPECT_EQ(f[14], "Camp Reserve");
}

TEST_F(RegisterExportTest, RangeIdleAccountsAndMissingAccounts) {
  // The day before the range belongs to the opening balance; both ends count.
  auto lines = Export({101}, "20080305", "20080412");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(Fields(lines[0])[7], "  1100.00 ");
  EXPECT_EQ(Fields(lines[2])[2], "1002");
  // An account without postings only with the idle flag; an unknown one never.
  EXPECT_TRUE(Export({401, 555}).empty());
  lines = Export({401, 555}, "20080101", "20081231", 1);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], "401\tLoan\t\t\tOpening Balance\t\t\t     0.00 \t\t\t\t\t\t\t");
}

TEST_F(RegisterExportTest, NamesRowIsCountedAndQualified) {
  int result = 0;
  auto lines = Export({401}, "20080101", "20081231", 0, 1, "\"", 'D', &result);
  EXPECT_EQ(result, 1);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].substr(0, 27), "\"AcctID\"\t\"Name\"\t\"Num\"\t\"Date");
  lines = Export({101}, "20080101", "20080229", 0, 0, "\"");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].substr(0, 40), "101\t\"Checking\"\t\"DEP1\"\t02/10/08\t\"Popcorn ");
}

TEST_F(RegisterExportTest, EquipmentAccountEndsWithHandEnteredItemsAndDepreciation) {
  EquipmentRecord lamp;
  SetText(lamp.description, "Lamp");
  SetText(lamp.purchaseDate, "20080301");
  lamp.price = 2500;
  lamp.currentValue = 2000;
  lamp.quantity = 1;
  lamp.lineKey = -1;
  lamp.condition = 'G';
  ASSERT_EQ(AddEquipItem(&lamp, 0, nullptr), 1);
  const auto lines = Export({399});
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(Fields(lines[1])[2], "<sup>");  // the canoe's purchase
  const auto manual = Fields(lines[lines.size() - 2]);
  EXPECT_EQ(manual[4], "Manually Entered Items");
  EXPECT_EQ(manual[6], "    25.00 ");
  EXPECT_EQ(Fields(lines.back())[4], "Depreciation");
  EXPECT_NE(Fields(lines.back())[5], "");
}

TEST(RegisterAmountTest, LargeAmountsWidenInsteadOfUnderscores) {
  struct Case {
    long long cents;
    const char* text;
  } cases[] = {{123450, "  1234.50 "},          {-1200, "(   12.00)"},      {0, "     0.00 "},
               {9999999, " 99999.99 "},         {10000000, " 100000.00 "},   {-12345678901LL, "(123456789.01)"}};
  for (const Case& c : cases) EXPECT_EQ(FormatRegisterAmount(c.cents), c.text) << c.cents;
}

TEST_F(RegisterExportTest, UnwritableFileIsReported) {
  automation::ExpectMessageBox("Error", "Failed open: register export file", IDOK);
  EXPECT_EQ(ExportRegister((home_ + "/no/such/folder/x.txt").c_str(), {101}, 'D', 0, '\t', "", 0, 0, "20080101",
                           "20081231"),
            0);
}

}  // namespace
