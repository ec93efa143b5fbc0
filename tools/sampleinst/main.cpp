// sampleinst: makes an installation in the program folder through the
// store's own functions, so that tornel has data to open.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "tools/sampleinst/SampleInstall.h"
#include "common/FileUtil.h"

namespace {

const char kUsage[] =
    "usage: sampleinst [--folder DIR]\n"
    "       sampleinst --empty --unit-type N --unit-number TEXT --year YYYY --first-month M [--folder DIR]\n"
    "  (no option)    a sample unit with one fiscal year of data in the program folder\n"
    "  --empty        an empty installation for a real unit: unit type 0-5, its number,\n"
    "                 the first fiscal year and its first month (1-12)\n"
    "  --folder DIR   the program folder (default: $KESTROVA_HOME or the per-user folder)\n"
    "An existing configuration is never overwritten.\n";

}  // namespace
int main(int argc, char** argv) {
  InstallOptions o;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const bool hasValue = i + 1 < argc;
    if (a == "--help" || a == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (a == "--empty") {
      o.empty = true;
    } else if (a == "--folder" && hasValue) {
      o.folder = argv[++i];
    } else if (a == "--unit-type" && hasValue) {
      o.unitType = std::atoi(argv[++i]);
    } else if (a == "--unit-number" && hasValue) {
      o.unitNumber = argv[++i];
    } else if (a == "--year" && hasValue) {
      o.year = std::atoi(argv[++i]);
    } else if (a == "--first-month" && hasValue) {
      o.firstMonth = std::atoi(argv[++i]);
    } else {
      std::fputs(kUsage, stderr);
      return 2;
    }
  }
  if (o.year == 0) {
    if (o.empty) {
      std::fputs("sampleinst: --empty needs --year\n", stderr);
      return 2;
    }
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    o.year = tm.tm_year + 1900;
  }
  if (o.unitType < 0 || o.unitType > 5 || o.year < 1951 || o.year > 2050 || o.firstMonth < 1 || o.firstMonth > 12 ||
      o.unitNumber.empty() || o.unitNumber.size() > 8) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  if (o.folder.empty()) o.folder = DefaultProgramFolder();
  if (!MakeInstallation(o)) return 1;
  std::printf("sampleinst: %s installation made in %s\n", o.empty ? "an empty" : "the sample", o.folder.c_str());
  return 0;
}
