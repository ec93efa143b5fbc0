#include "OldInstall.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "store/AcctClass.h"

namespace oldinst {

OldRec& OldRec::I16(int off, int v) {
  bytes_[static_cast<std::size_t>(off)] = static_cast<BYTE>(v & 0xFF);
  bytes_[static_cast<std::size_t>(off) + 1] = static_cast<BYTE>((v >> 8) & 0xFF);
  return *this;
}

OldRec& OldRec::I32(int off, long v) {
  for (int i = 0; i < 4; ++i) bytes_[static_cast<std::size_t>(off + i)] = static_cast<BYTE>((v >> (8 * i)) & 0xFF);
  return *this;
}

OldRec& OldRec::F32(int off, float v) {
  std::uint32_t bits;
  std::memcpy(&bits, &v, sizeof bits);
  return I32(off, static_cast<long>(bits));
}

OldRec& OldRec::Text(int off, int width, const std::string& text) {
  for (int i = 0; i < width - 1 && i < static_cast<int>(text.size()); ++i)
    bytes_[static_cast<std::size_t>(off + i)] = static_cast<BYTE>(text[static_cast<std::size_t>(i)]);
  return *this;
}

OldRec& OldRec::Byte(int off, int v) {
  bytes_[static_cast<std::size_t>(off)] = static_cast<BYTE>(v);
  return *this;
}

OldInstall::OldInstall(int version) : version_(version) {
  std::string pattern = (std::filesystem::temp_directory_path() / "kestrova-wizard-XXXXXX").string();
  char* made = ::mkdtemp(pattern.data());
  base_ = made ? made : "/tmp";
  old_ = base_ + "/OldTroop";
  new_ = base_ + "/new";
  std::filesystem::create_directories(old_);
  std::filesystem::create_directories(new_);
  ::setenv("KESTROVA_HOME", new_.c_str(), 1);
}

OldInstall::~OldInstall() {
  std::error_code ec;
  std::filesystem::remove_all(base_, ec);
}

std::string OldInstall::YearFolder(const std::string& yy) const { return old_ + "/FY" + yy; }

std::string OldInstall::OldPath(const std::string& stem, const std::string& yy) const {
  // Version 2 installations hold their names in upper case, as an old
  // system often wrote them.
  std::string name = stem + std::to_string(version_) + yy + (stem == "config" ? ".sl" : ".dat");
  if (version_ == 2)
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return (yy.empty() ? old_ : YearFolder(yy)) + "/" + name;
}

void OldInstall::WriteText(const std::string& path, const std::string& text) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

void OldInstall::WriteConfig(const std::vector<std::string>& years, const std::string& extra) {
  std::string text = "Fiscal Year = " + (years.empty() ? std::string("08") : years.back()) + "\r\n";
  for (const std::string& y : years) {
    std::string yy = y.substr(y.size() - 2);
    text += std::string(version_ == 1 ? "Data Directory" : "Data Folder") + " = " + y + "/C:\\OLDTROOP\\FY" + yy + "\r\n";
    std::filesystem::create_directories(YearFolder(yy));
  }
  text += "Import Directory = C:\\Import\r\n" + extra;
  WriteText(OldPath("config", ""), text);
}

void OldInstall::WriteRecords(const std::string& stem, const std::string& yy, const std::vector<OldRec>& recs) {
  std::string path = OldPath(stem, yy);
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  for (const OldRec& r : recs)
    out.write(reinterpret_cast<const char*>(r.Bytes().data()), static_cast<std::streamsize>(r.Bytes().size()));
}

namespace {

// Dates in the version's layout: yymmdd before version 3.
std::string D(int version, const std::string& yyyymmdd) {
  return version == 3 ? yyyymmdd : yyyymmdd.substr(2);
}

}  // namespace

void OldInstall::WriteStandardYear(const std::string& yy) {
  const int v = version_;
  auto money = [v](OldRec& r, int off, long cents) -> OldRec& {
    return v == 1 ? r.F32(off, static_cast<float>(cents) / 100.0f) : r.I32(off, cents);
  };

  // Accounts: number, name, opening, current, usage, budget row.
  struct A {
    int number;
    const char* name;
    long opening, current;
    int usage, budget, reserves;
  };
  std::vector<A> accounts = {{101, "Checking", 100000, 102000, 2, -1, 0}, {399, "Equipment", 0, 12000, 1, -1, 0},
                             {520, "Fundraising", 0, 5000, 1, -1, 0},     {599, "Dues", 0, 0, 0, -1, 0},
                             {620, "Camping", 0, 3000, 1, 0, 0}};
  if (v != 1) {
    accounts.push_back({710, "Camp Reserve", 1500, 1500, 0, -1, 1});
    accounts.push_back({900, "Reserve Allocation", 0, 0, 0, -1, 0});
  }
  std::vector<OldRec> recs;
  for (const A& a : accounts) {
    OldRec r(46);
    r.I16(0, a.number).Text(2, 26, a.name).Byte(28, 0);
    money(r, 30, a.opening);
    money(r, 34, a.current);
    r.I16(38, a.usage);
    if (v == 1) r.I16(42, a.budget).I16(44, GetAcctClassRow(a.number));
    else r.I16(40, a.budget).I16(42, GetAcctClassRow(a.number)).I16(44, a.reserves);
    recs.push_back(r);
  }
  WriteRecords("acct", yy, recs);

  OldRec budget(52);
  budget.I16(0, 620).Byte(2, 0);
  for (int m = 0; m < 12; ++m) money(budget, 4 + 4 * m, 1000 + m);
  WriteRecords("budge", yy, {budget});

  // Equipment: a tent bought before the year, entered by hand.
  OldRec tent(v == 1 ? 96 : v == 2 ? 270 : 276);
  if (v == 1) {
    tent.Text(0, 21, "Tent").Text(21, 7, "070510").Byte(28, 0);
    money(tent, 38, 13000);
    money(tent, 42, 15000);
    tent.Text(46, 42, "Four person").I16(88, -1);
    money(tent, 90, 12000);
    tent.I16(94, 7);
  } else {
    const bool v3 = v == 3;
    tent.Text(0, 7, "T-1").Text(7, 21, "Tent").Text(28, v3 ? 9 : 7, D(v, "20070510"));
    tent.Byte(v3 ? 37 : 35, 0).Byte(v3 ? 38 : 36, 'G');
    tent.I32(v3 ? 48 : 44, 13000).I32(v3 ? 52 : 48, 15000).I16(v3 ? 56 : 52, 1);
    tent.Text(v3 ? 58 : 54, 51, "Four ").Text((v3 ? 58 : 54) + 51, 51, "person");
    tent.I32(v3 ? 262 : 258, 16000);
    if (v3) tent.I32(266, -1);
    else tent.I16(262, -1);
    tent.I32(v3 ? 270 : 264, 12000).I16(v3 ? 274 : 268, 7);
  }
  WriteRecords("equip", yy, {tent});

  OldRec fos(v == 3 ? 226 : 220);
  fos.Text(0, 12, "Dana").Text(12, 16, "Miller").Byte(32, 0).Text(34, 27, "12 Oak St");
  if (v == 3) {
    fos.I32(28, 7500).Text(88, 18, "Springfield").Text(106, 3, "IL").Text(109, 11, "62701");
    fos.Text(120, 14, "555-1234").Text(134, 5, "12").Text(139, 51, "Regular").Text(190, 5, "2007");
    fos.I32(210, 2500).I32(214, 5000);
  } else {
    fos.Text(88, 27, "Springfield, IL 62701").Text(115, 13, "555-1234").Text(128, 5, "12");
    fos.Text(133, 51, "Regular").Text(184, 5, "2007");
    money(fos, 204, 2500);
    money(fos, 208, 5000);
  }
  WriteRecords("fos", yy, {fos});

  // Members: rows 0 Anna, 1 Ben (scouts of Eagle), 2 Carl (adult), 3 Dan
  // (deleted), 4 the dummy member "Patrol Eagle".
  struct M {
    const char* first;
    const char* last;
    bool youth;
    int status;
    long opening, current, count;
    float owed;
  };
  const M members[] = {{"Anna", "Smith", true, 0, 1000, 3000, 1, 12.5f},
                       {"Ben", "Jones", true, 0, 0, 3000, 1, 0.0f},
                       {"Carl", "Brown", false, 0, 500, 500, 0, 7.0f},
                       {"Dan", "Gone", true, 2, 0, 0, 0, 5.0f},
                       {"Patrol", "Eagle", true, 0, 0, 0, 0, 0.0f}};
  recs.clear();
  for (const M& m : members) {
    if (v == 3) {
      OldRec r(512);
      r.Text(0, 16, m.last).Text(16, 12, m.first);
      if (m.youth) r.Text(28, 27, "1 Elm St").Text(150, 9, "20070901").Text(160, 30, "Eagle").Text(190, 16, "Smith");
      else r.Text(34, 27, "2 Elm St").Text(156, 9, "20070801").Text(166, 12, "Jane").I16(212, 1);
      r.I32(320, m.opening).I32(324, m.current).I16(328, static_cast<int>(m.count)).I16(330, m.youth ? 1 : 0);
      r.Byte(341, m.status).Text(342, 170, "Note");
      recs.push_back(r);
      continue;
    }
    OldRec r(v == 1 ? 216 : 224);
    r.Text(0, 12, m.first).Text(12, 16, m.last);
    if (v == 1) {
      r.Text(28, 14, m.youth ? "Eagle" : "Adults").Byte(42, m.status).Text(44, 27, "1 Elm St");
      r.Text(71, 27, "Springfield, IL 62701").Text(98, 13, "555-0001").Text(111, 7, "070901");
      r.Text(125, 19, "Frederick Jr").Text(144, 16, "Smith");
      money(r, 160, m.opening);
      money(r, 164, m.current);
      r.I16(168, static_cast<int>(m.count)).Text(170, 42, "Note").F32(212, m.owed);
    } else {
      r.Text(28, 24, m.youth ? "Eagle" : "").I16(52, m.youth ? 1 : 0).Byte(54, m.status).Text(56, 27, "1 Elm St");
      r.Text(83, 27, "Springfield, IL 62701").Text(110, 13, "555-0001").Text(123, 7, "070901");
      r.Text(137, 13, "555-9999").Text(150, 6, "42").Text(156, 16, "Smith");
      r.I32(172, m.opening).I32(176, m.current).I16(180, static_cast<int>(m.count)).Text(182, 42, "Note");
    }
    recs.push_back(r);
  }
  WriteRecords("scout", yy, recs);

  // Transactions 1 (a deposit from fundraising, split among Anna and Ben)
  // and 2 (a camping expense).
  const int d = v == 3 ? 2 : 0;
  auto trans = [&](int id, long number, const std::string& date, const char* payee, int factor, long amount) {
    OldRec r(v == 3 ? 78 : 76);
    r.I16(0, id).I16(2, 101).I32(4, number).Text(8, v == 3 ? 9 : 7, D(v, date)).Text(15 + d, 26, payee);
    r.Text(41 + d, 21, "Remark").I16(62 + d, 1).Byte(64 + d, 0).I16(66 + d, factor);
    money(r, 68 + d, amount);
    r.I16(72 + d, 0).I16(74 + d, 0);
    return r;
  };
  WriteRecords("trans", yy, {trans(1, 1001, "20080210", "Popcorn sale", 1, 5000),
                             trans(2, 1002, "20080305", "Camp fee", -1, 3000)});

  auto line = [&](int id, int account, long amount, int split) {
    OldRec r(v == 1 ? 40 : 48);
    r.I16(0, id).I16(2, 0).I16(4, account);
    if (v == 1) {
      r.Byte(6, 0);
      money(r, 8, amount);
      r.Text(12, 22, "Line").I16(34, 1).I16(36, 0).I16(38, split);
    } else {
      r.I16(6, 0).Byte(8, 0).I32(10, amount).I16(14, 1).I32(16, 0).I16(20, 0).I16(22, 0).I16(24, split);
      r.Text(26, 22, "Line");
    }
    return r;
  };
  WriteRecords("suppt", yy, {line(1, 520, 5000, 1), line(2, 620, 3000, 0)});

  auto split = [&](int key) {
    OldRec r(v == 3 ? 18 : 16);
    if (v == 3) r.I32(0, key).I32(4, 0).I32(8, 0).I32(12, 0).I16(16, 1);
    else r.I16(0, key).I16(14, 1);
    return r;
  };
  WriteRecords("split", yy, {split(-1), split(10)});

  auto share = [&](int key, long cash, int member) {
    OldRec r(v == 1 ? 10 : v == 2 ? 14 : 16);
    if (v == 1) {
      r.I16(0, key).I16(2, 1).I16(8, member);
      money(r, 4, cash);
    } else if (v == 2) {
      r.I16(0, key).I16(2, 1).I32(4, cash).I32(8, 0).I16(12, member);
    } else {
      r.I32(0, key).I16(4, 1).I32(6, cash).I32(10, 0).I16(14, member);
    }
    return r;
  };
  WriteRecords("subac", yy, {share(10, 2000, 0), share(-1, 0, 0), share(10, 3000, 1)});

  std::string unit;
  if (v == 3) {
    unit = "UNIT NUMBER = 123\r\nADDRESS = 12 Oak Lane\r\nADDRESS = \r\nCITY = Springfield\r\nSTATE = IL\r\n"
           "ZIP = 62701\r\nFISCAL DATE = 002008\r\nSUBUNIT = Eagle\r\nSUBUNIT = Hawk\r\n";
  } else {
    unit = "UNIT TYPE = 0\r\nUNIT NUMBER = 123\r\nCONFIGURATION = 7\r\nADDRESS = 12 Oak Lane\r\n"
           "ADDRESS = Springfield, IL 62701\r\nFISCAL DATE = 002008\r\nCHARTER = First Church\r\n"
           "SUBUNIT = Eagle\r\nSUBUNIT = Hawk\r\n";
    if (v == 1) unit += "SUBUNIT = Adults\r\nDUES = 080115 12.50\r\nDUES = 080215 12.50\r\n";
  }
  WriteText(OldPath("unit", yy), unit);

  if (v != 1) {
    OldRec reserve(8), free(8);
    reserve.I16(0, 0).I16(2, 710).I32(4, 1500);
    free.I16(0, -1).I16(2, -1);
    WriteRecords("resrv", yy, {reserve, free});

    const bool v3 = v == 3;
    OldRec s(v3 ? 822 : 702);
    s.Text(0, 26, "Monthly Dues").I16(26, 599).Byte(28, 0).Byte(30, 'M').Text(31, 5, "0915").Text(36, 5, "1015");
    const int w = v3 ? 9 : 7, amounts = v3 ? 582 : 462;
    s.Text(41, w, D(v, "20080115")).I32(amounts, 500).Text(41 + w, w, D(v, "20080215")).I32(amounts + 4, 500);
    WriteRecords("sched", yy, {s});
    OldRec p0(12), p1(12);
    p0.I16(0, 0).I16(2, 0).I32(4, 1000);
    p1.I16(0, 0).I16(2, 1).I32(4, 1000).I32(8, 500);
    WriteRecords("part", yy, {p0, p1});
  }
  if (v == 3) {
    OldRec sheet(122);
    sheet.Text(0, 32, "Budget Sheet");
    for (int c = 0; c < 10; ++c) sheet.Text(32 + 9 * c, 9, "Col" + std::to_string(c));
    std::ofstream out(OldPath("worksht", ""), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(sheet.Bytes().data()), 122);
  }
}

std::vector<BYTE> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<BYTE>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

long I32At(const std::vector<BYTE>& b, std::size_t off) {
  if (off + 4 > b.size()) return 0x7ead;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(b[off]) | (static_cast<std::uint32_t>(b[off + 1]) << 8) |
                                   (static_cast<std::uint32_t>(b[off + 2]) << 16) |
                                   (static_cast<std::uint32_t>(b[off + 3]) << 24));
}

int I16At(const std::vector<BYTE>& b, std::size_t off) {
  if (off + 2 > b.size()) return 0x7ead;
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(b[off] | (b[off + 1] << 8)));
}

std::string TextAt(const std::vector<BYTE>& b, std::size_t off, std::size_t width) {
  std::string s;
  for (std::size_t i = 0; i < width && off + i < b.size() && b[off + i]; ++i) s += static_cast<char>(b[off + i]);
  return s;
}

}  // namespace oldinst
