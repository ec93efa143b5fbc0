#include "reports/MemberHead.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "common/Address.h"
#include "common/Dates.h"
#include "common/ErrorText.h"
#include "common/Messages.h"
#include "common/StrUtil.h"
#include "common/UnitVocab.h"
#include "platform/base/Collections.h"
#include "reports/LabelNames.h"
#include "reports/RptMarkup.h"
#include "reports/RptMembers.h"
#include "reports/RptPaging.h"
#include "reports/RptSelection.h"

namespace {

std::string F(const char* format, auto... args) {
  char text[512];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

std::string E(const char* data) { return RptEscape(data ? data : ""); }

class HeadWriter {
 public:
  explicit HeadWriter(RptContext* c) : c_(c) {}
  // Writes the lines together; a failure names the step (a later one
  // replaces an earlier).
  void Write(const std::vector<std::string>& lines, const char* step) {
    if (lines.empty()) return;
    char buffer[16][256];
    int n = 0;
    for (const std::string& l : lines)
      if (n < 16) std::snprintf(buffer[n++], 256, "%s", l.c_str());
    if (!WriteRptLines(c_, buffer, n)) FormatErrorText(error_, ERR_WRITE, step);
  }
  void TitleBlock() {
    if (!WriteRptBlock(c_, RPT_BLOCK_TITLE)) FormatErrorText(error_, ERR_WRITE, "member report header");
  }
  int Finish() {
    if (!error_[0]) return 1;
    DispMessage(error_, MSG_FATAL);
    return 0;
  }

 private:
  RptContext* c_;
  char error_[320] = "";
};

std::string Joined(const MemberRow& m) { return m.dateJoined[0] ? FormatDateLong(m.dateJoined, DF_YYYYMMDD) : ""; }

std::string Names(const char* first, const char* last) { return F("%-s %-s", first, last); }

void EnvelopeHead(RptContext* c, const MemberRow& m, int format, HeadWriter& out) {
  const double L = c->leftMargin, T = c->topMargin;
  const double h0 = c->fontHeight[RPT_FONT_FOOTER] / 100.0, h4 = c->fontHeight[RPT_FONT_BODY] / 100.0;
  out.Write({F("{+%f,%f}{%d,%d-}", 0.7 - L, 0.7 - T, 34, 3), F("{+%f,%f}{%d,%d-}", 0.9 - L, 2.25 - T, 36, 4),
             F("{+%f,%f}{%d,%d-}", 4.5 - L, 0.7 - T, 35, 13), F("{+%f,%f}{%d.}", 0 - L, 3.667 - T, 94), " "},
            "mailing formats");
  std::vector<std::string> lines;
  for (int n = 1; n <= 5; ++n) {
    const char* text = RptAddressLines[n - 1];
    if (text[0]) lines.push_back(F("{F%d}{+%f,%f}%s", 0, 0.7 - L + 0.125, 0.7 - T + n * h0, E(text).c_str()));
  }
  out.Write(lines, "return address");

  std::vector<std::string> names;
  BuildLabelNames(m, format, names);
  const int k = static_cast<int>(names.size());
  const int font = k == 5 ? RPT_FONT_FOOTER : RPT_FONT_BODY;
  const double raise = k == 5 ? 0.1 : 0.0;
  lines.clear();
  for (int i = 1; i <= k; ++i)
    lines.push_back(F("{F%d}{+%f,%f}%s", font, 0.9 - L + 0.125, 2.25 - T - raise + i * h4,
                      E(names[static_cast<std::size_t>(i - 1)].c_str()).c_str()));
  out.Write(lines, "mailing address");

  const double x = 4.5 - L + 0.125;
  auto y = [&](int n) { return 0.7 - T + n * h4; };
  const MemberKey key = KeyOf(m);
  const char* info = "Member Information";
  const std::string first = F("{+%f,%f}{%s}{8}%s: {30}%s {%s}", x, y(1), "F1", MemberTypeWord(m.type),
                              E(MemberDisplayName(key, false).c_str()).c_str(), "F4");
  const std::string joined = F("{+%f,%f}{%s}{8}Joined:{%s} {30}%s ", x, y(2), "F1", "F4", Joined(m).c_str());
  auto phones = [&](int at) {
    return std::vector<std::string>{F("{+%f,%f}{%s}{8}Phones:{%s} ", x, y(at), "F1", "F4"),
                                    F("{+%f,%f}{%s}{2} {6}Home:{%s} {30}%s ", x, y(at + 1), "F1", "F4",
                                      E(m.homePhone).c_str()),
                                    F("{+%f,%f}{%s}{2} {6}Cell:{%s} {30}%s ", x, y(at + 2), "F1", "F4",
                                      E(m.cellPhone).c_str())};
  };
  auto email = [&]() {
    CStringArray pieces;
    if (m.email[0]) WrapTextToLines(m.email, 28, pieces);
    std::vector<std::string> block{F("{+%f,%f}{%s}{8}Email:{%s}{30}%s ", x, y(12), "F1", "F4",
                                     pieces.GetSize() > 0 ? E(pieces[0]).c_str() : "")};
    for (int i = 1; i < pieces.GetSize(); ++i)
      block.push_back(F("{+%f,%f}{8} {30}%s ", x, y(12 + i), E(pieces[i]).c_str()));
    return block;
  };
  if (m.type == 0) {
    out.Write({first, joined, " "}, info);
    out.Write({F("{+%f,%f}{%s}{8}%s: {%s} {30}%s ", x, y(4), "F1", SubunitNoun, "F4", E(m.subunit).c_str()), " "},
              info);
    std::vector<std::string> block{
        F("{+%f,%f}{%s}{8}Parents:{%s} {30}%s ", x, y(6), "F1", "F4", E(Names(m.fatherFirst, m.fatherLast).c_str()).c_str()),
        F("{+%f,%f}{8} {30}%s ", x, y(7), E(Names(m.motherFirst, m.motherLast).c_str()).c_str())};
    for (const std::string& p : phones(8)) block.push_back(p);
    block.push_back(" ");
    out.Write(block, info);
    out.Write(email(), info);
  } else if (m.type == 1) {
    out.Write({first, joined, " "}, info);
    out.Write({F("{+%f,%f}{%s}{8}Spouse: {%s}{30}%s ", x, y(4), "F1", "F4", E(m.spouse).c_str()), " "}, info);
    std::vector<std::string> block = phones(6);
    std::string work = F("{+%f,%f}{%s}{2} {6}Work:{%s} {14}%s ", x, y(9), "F1", "F4", E(m.workPhone).c_str());
    if (m.workExt[0]) work += F("{5}x%s ", E(m.workExt).c_str());
    block.push_back(work);
    block.push_back(F("{+%f,%f}{%s}{2} {6}Fax:{%s} {30}%s ", x, y(10), "F1", "F4", E(m.fax).c_str()));
    block.push_back(" ");
    out.Write(block, info);
    out.Write(email(), info);
  } else {
    out.Write({first, " ", F("{+%f,%f}{%s}{16}Passbook Opened:{%s} ", x, y(3), "F1", "F4"),
               F("{+%f,%f}{2} {30}%s ", x, y(4), Joined(m).c_str())},
              info);
  }
  // The statement goes on below the fold line.
  out.Write({F("{+%f,%f}", 0 - L, 3.667 - T), " "}, info);
  out.TitleBlock();
}

void PlainHead(RptContext* c, const MemberRow& m, HeadWriter& out) {
  out.TitleBlock();
  std::vector<std::string> rows;
  char city[64];
  FormatCityLine(m.city, m.state, m.zip, 64, city);
  for (const char* line : {m.address1, m.address2, static_cast<const char*>(city)})
    if (line[0]) rows.push_back(E(line));
  rows.resize(3);
  const std::string name = E(MemberDisplayName(KeyOf(m), false).c_str());
  std::vector<std::string> lines;
  if (m.type == 0) {
    std::string father = Names(m.fatherFirst, m.fatherLast), mother = Names(m.motherFirst, m.motherLast);
    father.resize(std::min<std::size_t>(father.size(), 26));
    mother.resize(std::min<std::size_t>(mother.size(), 26));
    lines = {F("{%d,5=}", c->lineWidth),
             F("{%s}{1} {8}Scout:{%s}{31}%s {%s}{6}Phone{4}(h):{%s}{25}%s", "F1", "F4", name.c_str(), "F1", "F4",
               E(m.homePhone).c_str()),
             F("{%s}{1} {8}%s: {%s}{31}%s {6} {%s}{4}(c):{%s}{25}%s", "F1", SubunitNoun, "F4", E(m.subunit).c_str(),
               "F1", "F4", E(m.cellPhone).c_str()),
             F("{%s}{1} {8}Address:{%s}{31}%s {%s}{10}Parents:{%s}{25}%s", "F1", "F4", rows[0].c_str(), "F1", "F4",
               E(father.c_str()).c_str()),
             F("{9} {31}%s {%s}{10} {%s}{25}%s", rows[1].c_str(), "F1", "F4", E(mother.c_str()).c_str()),
             F("{9} {31}%s {%s}{10}Joined:{%s}{25}%s", rows[2].c_str(), "F1", "F4", Joined(m).c_str())};
  } else if (m.type == 1) {
    const std::string work = F("%s %c%s", m.workPhone, m.workExt[0] ? 'x' : ' ', m.workExt);
    lines = {F("{%d,5=}", c->lineWidth),
             F("{%s}{1} {8}Adult:{%s}{31}%s {%s}{6}Phone{4}(h):{%s}{25}%s", "F1", "F4", name.c_str(), "F1", "F4",
               E(m.homePhone).c_str()),
             F("{%s}{1} {8}Spouse:{%s}{31}%s {6} {%s}{4}(w):{%s}{25}%s", "F1", "F4", E(m.spouse).c_str(), "F1", "F4",
               E(work.c_str()).c_str()),
             F("{%s}{1} {8}Address:{%s}{31}%s {6} {%s}{4}(c):{%s}{25}%s", "F1", "F4", rows[0].c_str(), "F1", "F4",
               E(m.cellPhone).c_str()),
             F("{9} {31}%s {6} {%s}{4}(f):{%s}{25}%s", rows[1].c_str(), "F1", "F4", E(m.fax).c_str()),
             F("{9} {31}%s {%s}{10}Joined:{%s}{25}%s", rows[2].c_str(), "F1", "F4", Joined(m).c_str())};
  } else {
    lines = {F("{%d,%d=}", c->lineWidth, 2),
             F("{%s}{1} {16}%s: {%s}{31}%s ", "F1", SubunitNoun, "F4", E(m.subunit).c_str()),
             F("{%s}{1} {16}Passbook Opened:{%s}{25}%s", "F1", "F4", Joined(m).c_str())};
  }
  lines.push_back(" ");
  lines.push_back(" ");
  out.Write(lines, "Member Information");
}

}  // namespace

int WriteMemberAddressBlock(RptContext* c, const MemberRow& m, int format) {
  HeadWriter out(c);
  if (format >= 0 && format <= 2)
    EnvelopeHead(c, m, format, out);
  else
    PlainHead(c, m, out);
  return out.Finish();
}
