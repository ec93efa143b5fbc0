#include "reports/LabelReports.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common/Address.h"
#include "common/Dates.h"
#include "common/ErrorText.h"
#include "common/Messages.h"
#include "reports/FinReportSupport.h"
#include "reports/LabelNames.h"
#include "reports/RptDriver.h"
#include "reports/RptFormat.h"
#include "reports/RptMarkup.h"
#include "reports/RptMembers.h"
#include "reports/RptPaging.h"
#include "reports/RptSelection.h"
#include "store/KeyTable.h"
#include "store/RecIO.h"
#include "store/Records.h"

namespace {

constexpr std::size_t kLabelLineChars = 34;

std::string Cut(const std::string& text) { return text.substr(0, kLabelLineChars); }

LabelText TextOf(const std::vector<std::string>& lines) {
  LabelText t;
  for (std::size_t i = 0; i < lines.size() && i < 5; ++i) t.lines[i] = Cut(lines[i]);
  return t;
}

struct Address {
  std::string a1, a2, city, state, zip;
  bool operator==(const Address&) const = default;
};

std::string F(const char* format, auto... args) {
  char text[256];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

const char* ConditionName(char letter) {
  for (const char* name : {"Excellent", "Good", "Fair", "Poor"})
    if (letter != '\0' && name[0] == letter) return name;
  return "";
}

}  // namespace

int WriteLabelFrame(RptContext* c, const MailLabelDef& sheet, const LabelText& text, int* firstSheet, int* index) {
  const double h = c->fontHeight[RPT_FONT_BODY] / 100.0;
  const int across = sheet.across > 0 ? sheet.across : 1;
  const int perSheet = across * (sheet.down > 0 ? sheet.down : 1);
  const int row = *index / across, column = *index % across;
  const float inset = 0.0476f * sheet.labelWidth;
  int used = 0;
  for (int b = 0; b < 5; ++b)
    if (!text.lines[b].empty()) used = b + 1;
  const double yOffset = (sheet.labelHeight - used * h) / 2;
  const double x = column * static_cast<double>(sheet.hPitch) + inset;
  const double y = row * static_cast<double>(sheet.vPitch) + yOffset;
  const bool startsSheet = *index == 0;
  *index += 1;
  char error[320] = "";
  if (startsSheet && !*firstSheet && !WriteRptPageBreak(c)) FormatErrorText(error, sizeof error, ERR_WRITE, "label frame");
  *firstSheet = 0;
  if (*index >= perSheet) *index = 0;
  if (!error[0]) {
    const std::string frame = F("{+%f,%f}{*%f,%f:}", x - inset, y - yOffset, static_cast<double>(sheet.labelWidth),
                                static_cast<double>(sheet.labelHeight));
    if (!WriteRptLine(c, frame.c_str())) FormatErrorText(error, sizeof error, ERR_WRITE, "label frame");
  }
  for (int b = 0; b < 5 && !error[0]; ++b) {
    const std::string line = F("{+%.5f,%.5f}{%d}", x, y + (b + 1) * h, 35) + RptEscape(text.lines[b]) + " ";
    if (!WriteRptLine(c, line.c_str())) FormatErrorText(error, sizeof error, ERR_WRITE, "labels");
  }
  if (error[0]) {
    DispMessage(error, MSG_FATAL);
    return 0;
  }
  return 1;
}

int BuildLabels(RptContext* c) {
  const MailLabelDef sheet = CurrentMailLabel.Definition();
  int index = c->firstLabel > 0 ? c->firstLabel - 1 : 0;
  int firstSheet = 1;
  const bool keepDuplicates = RptOptionF == 'Y';
  if (!OpenRpt(c)) return 0;
  RptFailure failure;
  auto place = [&](const LabelText& t) {
    if (!WriteLabelFrame(c, sheet, t, &firstSheet, &index)) failure.Stop();  // shown
  };
  const int id = c->reportId;
  if (id >= 150 && id <= 152) {
    bool blankPending = false;
    if (RptOptionD & 1)
      for (int row = 0; row < MemberTable.rowCount; ++row)
        if (MemberTable.keys[static_cast<std::size_t>(row)].type == 0 &&
            MemberTable.keys[static_cast<std::size_t>(row)].status != 2)
          blankPending = true;
    const std::vector<int> members = MemberIndex(false);
    RptProgress progress(static_cast<int>(members.size()));
    Address previous;
    bool havePrevious = false;
    for (int row : members) {
      if (failure.Failed()) break;
      progress.Step();
      MemberRow m;
      if (!ReadReportMember(row, &m)) {
        failure.Set(ERR_READ, "R15x scout");
        break;
      }
      if (m.status != 0 || m.type < 0 || m.type > 2 || (RptOptionD & (1 << m.type)) == 0) continue;
      const Address address{m.address1, m.address2, m.city, m.state, m.zip};
      if (!keepDuplicates && havePrevious && address == previous) continue;
      previous = address;
      havePrevious = true;
      // A blank label parts the scouts from the adults.
      if (blankPending && m.type == 1) {
        place(LabelText{});
        blankPending = false;
        if (failure.Failed()) break;
      }
      std::vector<std::string> lines;
      BuildLabelNames(m, id - 150, lines);
      place(TextOf(lines));
    }
  } else if (id == 153) {
    const auto order = IndexRows(FriendTable, FriendTable.byName);
    RptProgress progress(static_cast<int>(order.size()));
    for (int row : order) {
      if (failure.Failed()) break;
      progress.Step();
      if (FriendTable.keys[static_cast<std::size_t>(row)].status == 2) continue;
      FriendRecord f;
      if (ReadRecord(FriendFile, f, row) != 1) {
        failure.Set(ERR_READ, "R15x friend");
        break;
      }
      std::vector<std::string> lines{F("%s %s", f.firstName, f.lastName)};
      if (f.address1[0]) lines.push_back(f.address1);
      if (f.address2[0]) lines.push_back(f.address2);
      char city[36];
      FormatCityLine(f.city, f.state, f.zip, 35, city);
      lines.push_back(city);
      place(TextOf(lines));
    }
  } else if (id == 154 || id == 155) {
    std::vector<std::string> lines;
    for (const auto& line : RptAddressLines) {
      char text[sizeof line + 1];
      std::snprintf(text, sizeof text, "%.*s", static_cast<int>(sizeof line), line);
      if (text[0]) lines.push_back(text);
    }
    const LabelText t = TextOf(lines);
    RptProgress progress(RptOptionG);
    for (int i = 0; i < RptOptionG && !failure.Failed(); ++i) {
      progress.Step();
      place(t);
    }
  } else if (id == 25) {
    RptProgress progress(EquipCount);
    for (int i = 0; i < EquipCount && i < static_cast<int>(EquipList.size()) && !failure.Failed(); ++i) {
      progress.Step();
      EquipmentRecord e;
      if (ReadRecord(EquipFile, e, EquipList[static_cast<std::size_t>(i)]) != 1) {
        failure.Set(ERR_READ, "R25 equip");
        break;
      }
      const int q = e.quantity;
      char date[16] = "";
      FormatDate(e.purchaseDate, DF_YYYYMMDD, DF_MM_DD_YY, date);
      for (int k = 1; k <= q && !failure.Failed(); ++k) {
        std::string number = F("Inv Num..... %-6s", e.inventoryId[0] ? e.inventoryId : "???");
        if (q > 1) number += F("    (%d of %d)", k, q);
        std::string value = "Curr Value.." + FormatRptAmount(e.currentValue, 7);
        if (q > 1) value += F("(all %d)", q);
        place(TextOf({F("Descrip..... %-s", e.description), number, F("Condition... %-s", ConditionName(e.condition)),
                      "Pur Price..." + FormatRptAmount(e.price, 7) + "(" + date + ")", value}));
      }
    }
  }
  // Labels carry no footer: the file is closed as it stands.
  const int closed = c->file ? std::fclose(c->file) : 0;
  c->file = nullptr;
  if (closed != 0) failure.SetText("Closing report device");
  return failure.Finish();
}

void InstallLabelReports() {
  RegisterRptBuilder(150, BuildLabels);
  RegisterRptBuilder(25, BuildLabels);
}
