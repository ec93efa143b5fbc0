// The hidden Log dumps of the scout, schedule and equipment lists: a header
// and one CR LF line per record of the file, deleted rows included.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "RecordsTestUtil.h"
#include "common/TempFolder.h"
#include "records/EquipMgmtDlg.h"
#include "records/LogDump.h"
#include "records/MemberMgmtDlgs.h"
#include "records/SchMgmtDlg.h"
#include "res/resource.h"
#include "store/Fixture.h"

namespace {

class MemberDumpsTest : public RecordDialogTest {
 protected:
  void SetUp() override {
    RecordDialogTest::SetUp();
    std::snprintf(TempFolder, sizeof TempFolder, "%s", fy.home().c_str());
  }
  fixture::FiscalYear fy;
};

TEST_F(MemberDumpsTest, EachListDumpsItsFileThroughTheViewer) {
  const struct {
    const char* list;
    std::function<void()> run;
    const char* viewer;
    const char* file;
    const char* header;
    const char* line;
  } cases[] = {
      {"Scout Information (", [] { CScoutMgmtDlg d; d.DoModal(); }, "Members", "memlog.txt",
       "Row  Del Typ Pbk Sel FName       LName           Subunit                        Phone",
       "   0   0   0   1   0 Anna        Smith           Eagles"},
      {"Schedule Management", RunScheduleManagement, "Schedules", "schedlog.txt",
       "Row Del AcctID Name                      Freq  Date1    Date2    Date     Amount\r\n",
       "  0   0   599  Monthly Dues                M                   \r\n"},
      {"Equipment Management", [] { CEquipMgmtDlg d; d.DoModal(); }, "Equipment", "equiplog.txt",
       "Row Del InvID  Qty Descrip              DatePurch DateRem Price    OpenVal",
       "  0   0     12   1 Tent                 20070510             15000    15000    12000 "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    std::string text;
    Drive(c.list, [&](HWND h) {
      automation::OnDialog(c.viewer, [&](HWND viewer) { text = FieldText(viewer, IDC_TEXTVIEW_TEXT); }, IDCANCEL);
      Press(h, IDC_REC_LOG);
      Press(h, IDCANCEL);
    }, c.run);
    EXPECT_EQ(text.rfind(c.header, 0), 0u) << text;
    EXPECT_NE(text.find(c.line), std::string::npos) << text;
    EXPECT_FALSE(std::filesystem::exists(LogDumpPath(c.file)));
  }
}

}  // namespace
