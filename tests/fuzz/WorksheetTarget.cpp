// The worksheets file: its titles listed, a title looked up, and a record
// written to the slot the lookup gives and found again there.
#include <cstdio>
#include <string>
#include <vector>

#include "fuzz/FuzzTargets.h"
#include "reports/Worksheet.h"

namespace fuzz {

void WorksheetFile(const std::uint8_t* data, std::size_t size) {
  PrepareRun();
  const std::string path = WorkFolder() + "/worksht4.dat";
  WriteWhole(path, data, size);
  std::vector<std::string> titles;
  CString error;
  if (ReadWorksheetTitles(path.c_str(), &titles, &error))
    for (const std::string& t : titles) FuzzCheck(!t.empty() && t.size() <= 31, "a listed title fits its field");
  std::FILE* f = std::fopen(path.c_str(), "rb+");
  if (f == nullptr) return;
  const std::string title = titles.empty() ? "Fuzz" : titles.back();
  bool found = false;
  int slot = -1;
  WorksheetRecord rec;
  if (FindWorksheet(f, title, &found, &slot, &rec, &error)) {
    FuzzCheck(slot >= 0 && static_cast<std::size_t>(slot) <= size / kWorksheetRecordSize, "the slot lies in the file");
    WorksheetRecord saved;
    saved.SetTitle(title);
    saved.SetHeading(0, "Col");
    if (WriteWorksheet(f, slot, saved, &error)) {
      WorksheetRecord back;
      int again = -1;
      FuzzCheck(FindWorksheet(f, title, &found, &again, &back, &error) && found, "a saved worksheet is found");
      FuzzCheck(back.Heading(0) == "Col", "its headings come back");
    }
  }
  std::fclose(f);
}

}  // namespace fuzz
