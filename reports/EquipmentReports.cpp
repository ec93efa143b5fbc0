#include "reports/EquipmentReports.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/Dates.h"
#include "common/ErrorText.h"
#include "common/Money.h"
#include "common/Settings.h"
#include "common/StrUtil.h"
#include "platform/base/Collections.h"
#include "reports/FinReportSupport.h"
#include "reports/RptDriver.h"
#include "reports/RptMarkup.h"
#include "reports/RptPaging.h"
#include "reports/RptSelection.h"
#include "store/KeyTable.h"
#include "store/RecIO.h"
#include "store/Records.h"

namespace {

constexpr int kMoney = 9;

std::string F(const char* format, auto... args) {
  char text[512];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

std::string Dollars(long long cents) { return FormatDollars(static_cast<long>(cents), 0).GetString(); }

// "Category &1:" as a caption: without its mnemonic mark and colon.
std::string CategoryCaption(char key, const char* fallback) {
  SettingsSection* labels = OpenSettingsSection(SettingsFileName, "LABELS");
  char caption[64] = "";
  GetSettingString(labels, key, nullptr, fallback, "%s", caption);
  CloseSettingsSection(labels);
  std::string out;
  for (const char* p = caption; *p; ++p)
    if (*p != '&' && *p != ':') out += *p;
  return out;
}

int FindCategory(const std::vector<std::string>& list, const char* value) {
  for (std::size_t i = 0; i < list.size(); ++i)
    if (list[i] == value) return static_cast<int>(i);
  return -1;
}

// An inventory ID that is not a number counts as 0.
long IdNumber(const char* id) { return std::strtol(id, nullptr, 10); }

struct Totals {
  long long price = 0, value = 0, cost = 0;
  void Add(const EquipmentRecord& e) {
    price += e.price;
    value += e.currentValue;
    cost += e.replacementCost;
  }
};

}  // namespace

int BuildEquipmentInventoryReport(RptContext* c) {
  const bool extended = RptOptionE == 'Y';
  const bool removed = RptOptionF == 'Y';
  const int grouping = RptGroupBy == '1' ? 1 : RptGroupBy == '2' ? 2 : 0;
  SetRptTitle(c, "Equipment Inventory", 0);
  std::string h1 = F("{7}Invent{1} {8}Purch{32} {%d}Purch{1} {%d}Current{1} {%d}Replace", kMoney, kMoney, kMoney);
  std::string h2 = F("{7}Num{1} {8}Date{1} {20}Description{1} {4}Qty{1} {4}Cnd{1} {%d}Price{1} {%d}Value{1} {%d}Cost",
                     kMoney, kMoney, kMoney);
  std::string h3 = F("{7-}{1} {8-}{1} {20-}{1} {4-}{1} {4-}{1} {%d-}{1} {%d-}{1} {%d-}", kMoney, kMoney, kMoney);
  if (extended) {
    h2 += "{1} {21}Extended Information";
    h3 += "{1} {52-}";
  }
  SetRptColumnHeaders(c, {h1.c_str(), h2.c_str(), h3.c_str()});
  const std::vector<std::string>& groupList = grouping == 2 ? RptCategory2List : RptCategory1List;
  const int groups = grouping ? static_cast<int>(groupList.size()) : 1;
  const int reserved = grouping ? 3 : 1;
  const int rows = EquipTable.rowCount > 0 ? EquipTable.rowCount : 0;
  RptProgress progress((groups + 1) * rows);
  RptFailure failure;
  static const char kConditions[] = {'E', 'G', 'F', 'P'};
  std::vector<int> groupOf(static_cast<std::size_t>(rows), -1);
  for (int row = 0; row < rows; ++row) {
    progress.Step();
    const char status = EquipTable.keys[static_cast<std::size_t>(row)].status;
    if (status == 2 || (status == 1 && !removed)) continue;
    EquipmentRecord e;
    if (ReadRecord(EquipFile, e, row) != 1) {
      failure.Set(ERR_READ, "R5 equipment");
      continue;
    }
    if (RptIdFrom[0] && (IdNumber(e.inventoryId) < IdNumber(RptIdFrom) || IdNumber(e.inventoryId) > IdNumber(RptIdTo)))
      continue;
    if (EquipCount > 0) {
      bool chosen = false;
      for (int i = 0; i < EquipCount && i < 4; ++i) {
        const int code = RptConditionList[i];
        if (code >= 0 && code < 4 && e.condition == kConditions[code]) chosen = true;
      }
      if (!chosen) continue;
    }
    const int at1 = FindCategory(RptCategory1List, e.category1);
    const int at2 = FindCategory(RptCategory2List, e.category2);
    if (at1 < 0 || at2 < 0) continue;
    groupOf[static_cast<std::size_t>(row)] = grouping == 1 ? at1 : grouping == 2 ? at2 : 0;
  }
  // Nothing is listed after a failed read: the report ends with the error.
  if (failure.Failed()) std::fill(groupOf.begin(), groupOf.end(), -1);
  if (!OpenRpt(c)) return 0;
  if (!failure.Failed() && !(WriteRptBlock(c, RPT_BLOCK_TITLE) && WriteRptBlock(c, RPT_BLOCK_HEADERS))) failure.Stop();
  std::vector<int> order;
  if (RptOrder == 'A' || RptOrder == 'C' || RptOrder == 'N') {
    const auto index = IndexRows(EquipTable, RptOrder == 'A'   ? EquipTable.byDescription
                                             : RptOrder == 'C' ? EquipTable.byDateDescription
                                                               : EquipTable.byInventory);
    order.assign(index.begin(), index.end());
  } else {
    for (int row = 0; row < rows; ++row) order.push_back(row);
  }
  const std::string caption1 = extended ? CategoryCaption('A', "Category &1:") : std::string();
  const std::string caption2 = extended ? CategoryCaption('B', "Category &2:") : std::string();
  Totals report;
  bool anyListed = false, notesSet = false;
  int groupsPrinted = 0;
  const std::string rule = F("{48} {%d-}{1} {%d-}{1} {%d-}", kMoney, kMoney, kMoney);
  for (int g = 0; g < groups && !failure.Failed(); ++g) {
    Totals group;
    bool headed = false;
    for (int row : order) {
      if (failure.Failed()) break;
      progress.Step();
      if (row < 0 || row >= rows || groupOf[static_cast<std::size_t>(row)] != g) continue;
      EquipmentRecord e;
      if (ReadRecord(EquipFile, e, row) != 1) {
        failure.Set(ERR_READ, "R5 equipment");
        break;
      }
      NeedRptLines(c, reserved);
      if (grouping && !headed) {
        bool ok = true;
        if (RptOptionG == 1 && groupsPrinted > 0)
          ok = EndRptPage(c, 0) && WriteRptBlock(c, RPT_BLOCK_TITLE) && WriteRptBlock(c, RPT_BLOCK_HEADERS);
        const std::string& value = groupList[static_cast<std::size_t>(g)];
        const std::string heading =
            F("{F%d}{%d.}%s {F%d}", 1, c->lineWidth, RptEscape(value.empty() ? "Unassigned" : value).c_str(), 4);
        if (!ok || !WriteRptLines(c, {" ", heading.c_str()})) {
          failure.Set(ERR_WRITE, "R5 Header");
          break;
        }
        headed = true;
        ++groupsPrinted;
      }
      const bool isRemoved = EquipTable.keys[static_cast<std::size_t>(row)].status == 1;
      if (isRemoved && !notesSet) {
        SetRptNotes(c, {" ", "(*) - Removed from service"});
        notesSet = true;
      }
      group.Add(e);
      report.Add(e);
      anyListed = true;
      char date[16] = "";
      FormatDate(e.purchaseDate, DF_YYYYMMDD, DF_MM_DD_YY, date);
      std::string line = F("{7}%-6s{1} {8}%s{1}%c{20}%-20s{1} {4r}%d{1} {4}%c{1} {%dr}%s{1} {%dr}%s{1} {%dr}%s",
                           RptEscape(e.inventoryId).c_str(), date, isRemoved ? '*' : ' ',
                           RptEscape(e.description).c_str(), static_cast<int>(e.quantity),
                           e.condition ? e.condition : ' ', kMoney, Dollars(e.price).c_str(), kMoney,
                           Dollars(e.currentValue).c_str(), kMoney, Dollars(e.replacementCost).c_str());
      if (extended) line += F("{1} {14}%s: {34}%s", RptEscape(caption1).c_str(), RptEscape(e.category1).c_str());
      if (!WriteRptText(c, line.c_str())) {
        failure.Set(ERR_WRITE, "R5 equipment 1");
        break;
      }
      if (!extended) continue;
      if (!WriteRptText(c, F("{78} {14}%s: {34}%s", RptEscape(caption2).c_str(), RptEscape(e.category2).c_str())
                               .c_str())) {
        failure.Set(ERR_WRITE, "R5 equipment 2");
        break;
      }
      CStringArray remarks;
      WrapTextToLines(e.remarks[0] ? e.remarks : " ", 34, remarks);
      if (remarks.GetSize() == 0) remarks.Add(CString(" "));
      for (int i = 0; i < remarks.GetSize(); ++i) {
        const std::string piece = RptEscape(remarks[i].GetString());
        const std::string text = (i == 0 ? std::string("{78} {14}Remarks: ") : std::string("{92} ")) + "{34}" + piece;
        if (!WriteRptText(c, text.c_str())) {
          failure.Set(ERR_WRITE, "R5 remarks 3");
          break;
        }
      }
    }
    if (!failure.Failed() && headed) {
      NeedRptLines(c, 2);
      const std::string total = F("{35} {12}Group Total:{1} {%dr}%s{1} {%dr}%s{1} {%dr}%s", kMoney,
                                  Dollars(group.price).c_str(), kMoney, Dollars(group.value).c_str(), kMoney,
                                  Dollars(group.cost).c_str());
      if (!WriteRptLines(c, {rule.c_str(), total.c_str()})) failure.Set(ERR_WRITE, "R5 Footer");
    }
  }
  if (!failure.Failed()) {
    bool ok;
    if (anyListed) {
      NeedRptLines(c, 2);
      const std::string total = F("{35} {12}Total:{1} {%dr}%s{1} {%dr}%s{1} {%dr}%s", kMoney,
                                  Dollars(report.price).c_str(), kMoney, Dollars(report.value).c_str(), kMoney,
                                  Dollars(report.cost).c_str());
      ok = WriteRptLines(c, {rule.c_str(), total.c_str()}) != 0;
    } else {
      ok = WriteRptText(c, "*** No items were found which matched report parameters ***") != 0;
    }
    if (!ok) failure.Set(ERR_WRITE, "R5 equipment total");
  }
  CloseRpt(c);
  return failure.Finish();
}

int BuildEquipmentInventoryForm(RptContext* c) {
  SetRptTitle(c, "Equipment Inventory Form", 0);
  SetRptColumnHeaders(c, {"{6}Invent{2} {8}Purchase{33} {8}Purchase{2} {8}Current{2} {8}Replace",
                          "{6}Number{2} {8}Date{2} {18}Description{2} {3}Qty{2} {4}Cond{2} {8}Price{2} {8}Value{2} "
                          "{8}Cost"});
  if (!OpenRpt(c)) return 0;
  RptFailure failure;
  if (!WriteRptBlock(c, RPT_BLOCK_TITLE) || !WriteRptBlock(c, RPT_BLOCK_HEADERS)) failure.Stop();
  const std::string notes = F("{8} {%d-}", c->lineWidth - 8);
  // The form is one page: entries stop where the page ends.
  while (!failure.Failed() && !RptPageFull(c, 4))
    if (!WriteRptLines(c, {" ", "{6-}{2} {8-}{2} {18-}{2} {3-}{2} {4-}{2} {8-}{2} {8-}{2} {8-}", " ", notes.c_str()}))
      failure.Set(ERR_WRITE, "Inventory form");
  CloseRpt(c);
  return failure.Finish();
}

void InstallEquipmentReports() {
  RegisterRptBuilder(5, BuildEquipmentInventoryReport);
  RegisterRptBuilder(24, BuildEquipmentInventoryForm);
}
