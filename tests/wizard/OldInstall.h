// Writers of old installations of versions 1, 2 and 3: the configuration,
// the unit file and every record file in the old layouts, in a temporary
// folder that also holds the new installation's folder.
#pragma once

#include <string>
#include <vector>

#include "platform/base/types.h"

namespace oldinst {

// One old record built field by field.
class OldRec {
 public:
  explicit OldRec(int size) : bytes_(static_cast<std::size_t>(size), 0) {}
  OldRec& I16(int off, int v);
  OldRec& I32(int off, long v);
  OldRec& F32(int off, float v);
  OldRec& Text(int off, int width, const std::string& text);
  OldRec& Byte(int off, int v);
  const std::vector<BYTE>& Bytes() const { return bytes_; }

 private:
  std::vector<BYTE> bytes_;
};

class OldInstall {
 public:
  explicit OldInstall(int version);
  ~OldInstall();
  OldInstall(const OldInstall&) = delete;
  OldInstall& operator=(const OldInstall&) = delete;

  int Version() const { return version_; }
  const std::string& Base() const { return base_; }
  // The previous installation's folder and the new installation's.
  const std::string& OldFolder() const { return old_; }
  const std::string& NewFolder() const { return new_; }
  // The old folder of a year ("FY08" below the old folder).
  std::string YearFolder(const std::string& yy) const;
  // Path of an old file of a year ("acct", "08") or of the program folder
  // (yy empty).
  std::string OldPath(const std::string& stem, const std::string& yy) const;

  // The old configuration naming the years (two or four digits) with
  // backslashed drive paths, as "C:\TROOP\FY08".
  void WriteConfig(const std::vector<std::string>& years, const std::string& extra = std::string());
  void WriteText(const std::string& path, const std::string& text);
  void WriteRecords(const std::string& stem, const std::string& yy, const std::vector<OldRec>& recs);

  // A small, consistent year: accounts, a budget, equipment, a friend,
  // scouts, an adult, a deleted member and a dummy member standing for the
  // sub-unit Eagle, two transactions (one split among two scouts), support
  // lines, splits and sub-accounts with free slots, reserves, a schedule
  // and participants (version 1: DUES lines and amounts owed), and for
  // version 3 a worksheet.
  void WriteStandardYear(const std::string& yy);

 private:
  int version_;
  std::string base_, old_, new_;
};

// Byte-level reading of a converted file.
std::vector<BYTE> ReadFile(const std::string& path);
long I32At(const std::vector<BYTE>& b, std::size_t off);
int I16At(const std::vector<BYTE>& b, std::size_t off);
std::string TextAt(const std::vector<BYTE>& b, std::size_t off, std::size_t width);

}  // namespace oldinst
