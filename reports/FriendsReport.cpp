#include "reports/FriendsReport.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "common/Address.h"
#include "common/PhoneTypes.h"
#include "common/StrUtil.h"
#include "reports/FinReportSupport.h"
#include "reports/RptDriver.h"
#include "reports/RptFormat.h"
#include "reports/RptMarkup.h"
#include "reports/RptPaging.h"
#include "reports/RptSelection.h"
#include "store/KeyTable.h"
#include "store/RecIO.h"
#include "store/Records.h"

namespace {

constexpr int kGap = 1;
constexpr int kAmount = 6;

std::string F(const char* format, auto... args) {
  char text[512];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

std::string E(const char* data) { return RptEscape(data ? data : ""); }

// The year labels of the donation columns come from the first live friend
// in file order, whatever order the report follows.
bool FirstLiveFriend(FriendRecord* friendRecord, bool* found) {
  *found = false;
  for (int row = 0; row < FriendTable.rowCount; ++row) {
    if (FriendTable.keys[static_cast<std::size_t>(row)].status == 2) continue;
    *found = true;
    return ReadRecord(FriendFile, *friendRecord, row) == 1;
  }
  return true;
}

struct FriendLines {
  std::vector<std::string> lines;
};

FriendLines FormatFriend(const FriendRecord& f, bool donations, const CPhoneTypes& phoneTypes) {
  std::vector<std::string> address;
  char city[256];
  FormatCityLine(f.city, f.state, f.zip, 256, city);
  if (f.address1[0]) address.push_back(F("{2} {26}%s {%d} ", E(f.address1).c_str(), kGap));
  if (f.address2[0]) address.push_back(F("{2} {26}%s {%d} ", E(f.address2).c_str(), kGap));
  if (f.city[0] || f.state[0] || f.zip[0]) address.push_back(F("{2} {26}%s {%d} ", E(city).c_str(), kGap));
  std::vector<std::string> phones;
  for (const PhoneEntry& p : f.phones) {
    if (!p.number[0]) continue;
    std::string text = F("{3}%s: {17}%s", E(phoneTypes.GetLetterByCode(p.type).GetString()).c_str(),
                         E(p.number).c_str());
    if (p.extension[0]) text += " x" + E(p.extension);
    phones.push_back(text + " ");
  }
  std::vector<std::string> remarks;
  if (donations && f.remarks[0]) {
    CStringArray wrapped;
    WrapTextToLines(f.remarks, 32, wrapped);
    for (int i = 0; i < wrapped.GetSize(); ++i) remarks.push_back(E(wrapped[i].GetString()));
  }
  const auto at = [](const std::vector<std::string>& v, std::size_t i, const std::string& none) {
    return i < v.size() ? v[i] : none;
  };
  const std::string noAddress = F("{%d}", 29), noPhone = "{20} ";
  std::string amounts[4];
  if (donations)
    for (int i = 0; i < 4; ++i) amounts[i] = FormatRptAmount(f.yearAmounts[i], -kAmount);
  FriendLines out;
  std::string name = F("%s, %s", f.lastName, f.firstName);
  out.lines.push_back(F("{F%d}{28}%s {F%d}{%d} %s {%d} {%dr}%s{%d} {%dr}%s{%d} {%dr}%s{%d} {%dr}%s", 1,
                        E(name.c_str()).c_str(), 4, kGap, at(phones, 0, noPhone).c_str(), kGap, kAmount,
                        amounts[0].c_str(), kGap, kAmount, amounts[1].c_str(), kGap, kAmount, amounts[2].c_str(),
                        kGap, kAmount, amounts[3].c_str()));
  // Every remark line is printed: lines past the address and telephone
  // columns carry those columns empty.
  const std::size_t rows =
      std::max({address.size(), phones.size() > 0 ? phones.size() - 1 : 0, remarks.size()});
  for (std::size_t i = 0; i < rows; ++i)
    out.lines.push_back(F("%s %s {%d} {32}%s ", at(address, i, noAddress).c_str(),
                          at(phones, i + 1, noPhone).c_str(), kGap, at(remarks, i, "").c_str()));
  return out;
}

}  // namespace

int BuildFriendsReport(RptContext* c) {
  const bool donations = RptOptionH != 0;
  const int spacing = std::clamp(static_cast<int>(RptOptionC), 1, 3);
  std::fill(std::begin(Type2Totals), std::end(Type2Totals), 0LL);
  SetRptTitle(c, "Friends of Scouting", 0);
  std::string head1 = F("{%d} ", 2 * kGap + 48);
  std::string head2 = F("{28-}Name / Address{%d} {20-}Phone Numbers{%d} ", kGap, kGap);
  RptFailure failure;
  if (donations) {
    FriendRecord first;
    bool found = false;
    if (!FirstLiveFriend(&first, &found)) {
      failure.Set(ERR_READ, "R12 initial friend");
      return failure.Finish();
    }
    char labels[4][8] = {};
    if (found)
      for (int i = 0; i < 4; ++i) std::snprintf(labels[i], sizeof labels[i], "%.4s", first.yearLabels[i]);
    head1 += F("{%d-}Donations", 3 * kGap + 4 * kAmount);
    head2 += F("{%d-}%s{%d} {%d-}%s{%d} {%d-}%s{%d} {%d-}%s", kAmount, E(labels[0]).c_str(), kGap, kAmount,
               E(labels[1]).c_str(), kGap, kAmount, E(labels[2]).c_str(), kGap, kAmount, E(labels[3]).c_str());
  }
  SetRptColumnHeaders(c, {head1.c_str(), head2.c_str()});
  if (!OpenRpt(c)) return 0;
  if (!WriteRptBlock(c, RPT_BLOCK_TITLE) || !WriteRptBlock(c, RPT_BLOCK_HEADERS)) failure.Stop();
  const CPhoneTypes phoneTypes;
  const auto order = IndexRows(FriendTable, RptOrder == 'A' ? FriendTable.byName : FriendTable.byContribution);
  RptProgress progress(static_cast<int>(order.size()));
  for (int row : order) {
    if (failure.Failed()) break;
    progress.Step();
    if (FriendTable.keys[static_cast<std::size_t>(row)].status == 2) continue;
    FriendRecord f;
    if (ReadRecord(FriendFile, f, row) != 1) {
      failure.Set(ERR_READ, "R12 friend");
      break;
    }
    const FriendLines block = FormatFriend(f, donations, phoneTypes);
    NeedRptLines(c, static_cast<int>(block.lines.size()) + spacing);
    if (donations)
      for (int i = 0; i < 4; ++i) Type2Totals[i] += f.yearAmounts[i];
    bool written = true;
    for (const std::string& line : block.lines) written = written && WriteRptText(c, line.c_str());
    if (!written || !WriteRptBlankLines(c, spacing)) failure.Set(ERR_WRITE, "R12 friend");
  }
  if (donations && !failure.Failed() && NeedRptLines(c, 2)) {
    std::string totals[4];
    for (int i = 0; i < 4; ++i) totals[i] = FormatRptAmount(Type2Totals[i], -kAmount);
    const std::string rule = F("{%d} {%d-}{%d} {%d-}{%d} {%d-}{%d} {%d-}", 50, kAmount, kGap, kAmount, kGap,
                               kAmount, kGap, kAmount);
    const std::string total =
        F("{%d} {20.}Total{%d} {%dr}%s{%d} {%dr}%s{%d} {%dr}%s{%d} {%dr}%s", 29, kGap, kAmount, totals[0].c_str(),
          kGap, kAmount, totals[1].c_str(), kGap, kAmount, totals[2].c_str(), kGap, kAmount, totals[3].c_str());
    if (!WriteRptLines(c, {rule.c_str(), total.c_str()})) failure.Set(ERR_WRITE, "R12 total");
  }
  CloseRpt(c);
  return failure.Finish();
}

void InstallFriendsReport() { RegisterRptBuilder(12, BuildFriendsReport); }
