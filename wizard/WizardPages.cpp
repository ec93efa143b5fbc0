#include "wizard/WizardPages.h"

#include <algorithm>

#include "common/DlgUtil.h"
#include "wizard/Conversion.h"
#include "wizard/Routines.h"
#include "wizard/WizardFlow.h"

namespace {

bool Refused(const CConversion& job) {
  wiz::DispMessage(job.GetErrorText(), wiz::kError);
  return false;
}

std::vector<std::string> Sorted(std::vector<std::string> items) {
  std::stable_sort(items.begin(), items.end(),
                   [](const std::string& a, const std::string& b) { return wiz::ToUpper(a) < wiz::ToUpper(b); });
  return items;
}

}  // namespace

void ModePage::Activate(const CConversion& job) {
  text = "\"Normally, this conversion program is passed parameters that indicate the type of database being "
         "converted and the new installation location.  At least one of these parameters is invalid or "
         "missing.\"\n\n\"What type of database is being converted and where is the new installation?\"";
  types.clear();
  for (int t = 0; t <= 3; ++t) {
    CConversion words;
    words.SetAppType(t);
    types.push_back(words.GetProductName());
  }
  selected = job.GetAppType() <= 3 ? job.GetAppType() : -1;
  folder = job.GetInstallFolder();
}

bool ModePage::Next(CConversion& job, int selectedType, const std::string& folderText) const {
  if (selectedType < 0) {
    wiz::DispMessage("A database type must be selected", wiz::kError);
    return false;
  }
  if (folderText.empty()) {
    wiz::DispMessage("An installation folder must be supplied", wiz::kError);
    return false;
  }
  if (!job.SetAppType(selectedType) || !job.SetInstallFolder(folderText)) return Refused(job);
  return true;
}

void WelcomePage::Activate(const CConversion& job) {
  const std::string product = job.GetProductName();
  text = "\"Welcome to the " + product + " Conversion Wizard.  The following screens will walk you through the "
         "process of converting your old " + product + " database to the new format.  When you complete each "
         "screen, press the 'Next>' button to continue.  If you want to change your answers, you can press the "
         "'<Back' button to return to previous screens.\"";
}

void SourcePage::Activate(const CConversion& job) {
  const std::string product = job.GetProductName();
  text = "\"Before I can convert your database to the new format, you'll have to tell me where it is located on "
         "your computer.\"\n\n\"In what folder is the previous version of " + product + " installed?\"";
  label = "Previous " + product + " Location:";
  folder = job.GetOldFolder();
  driveRoot = job.GetDriveRoot();
}

bool SourcePage::Next(CConversion& job, WizardFlow& flow, const std::string& folderText,
                      const std::string& driveText) {
  const bool same = read_ && !job.GetOldFolder().empty() && wiz::EqualNoCase(folderText, readFolder_) &&
                    driveText == readDriveRoot_;
  if (same) return true;
  job.SetDriveRoot(driveText);
  if (!job.SetOldFolder(folderText) || !job.ReadOldConfig() || !job.ScanOldData()) {
    read_ = false;
    return Refused(job);
  }
  read_ = true;
  readFolder_ = folderText;
  readDriveRoot_ = driveText;
  flow.EnablePage(kSlotAdult, job.GetOldVersion() == 1 && !job.GetSubunits().empty());
  return true;
}

void AdultPage::Activate(const CConversion& job) {
  const std::string word = job.GetSubunitWord(false), Word = job.GetSubunitWord(true);
  const std::string product = job.GetProductName();
  label = "Adult " + Word + ":";
  title = "Adult " + Word + " Selection";
  text = "\"In the first version of " + product + " there was no distinct capability to track adults.  Many "
         "users created a special 'adults-only' " + word + " to track adults separately from scouts.  With the "
         "later versions, adults and scouts are automatically tracked separately.\"\n\n\"If you created an "
         "adult-only " + word + ", please select it from the provided list.\"";
  items = Sorted(job.GetSubunits());
  auto it = std::find(items.begin(), items.end(), job.GetAdultSubunit());
  selected = it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

bool AdultPage::Next(CConversion& job, WizardFlow& flow, const std::string& selectedText) const {
  if (selectedText.empty() || job.ChooseAdultSubunit(selectedText)) return true;
  flow.EnablePage(kSlotSource, true);
  return Refused(job);
}

void SubunitQuestionPage::Activate(const CConversion& job) {
  const std::string word = job.GetSubunitWord(false), product = job.GetProductName();
  title = job.GetSubunitWord(true) + " Question";
  text = "\"In the latest version of " + product + ", " + word + "s may have passbooks of their own.  This means "
         "they can carry balances and be involved in transactions.  To have this same capability in previous "
         "versions, some users created 'dummy' scouts (or adults) with the names of " + word + "s.\"\n\n\"Did you "
         "create " + word + "s as scouts or adults to track their finances?\"";
}

void SubunitQuestionPage::Next(CConversion& job, WizardFlow& flow, bool answerYes) {
  yes = answerYes;
  if (!answerYes) job.SetSubunitMembers({});
  flow.EnablePage(kSlotIdentification, answerYes);
}

void IdentificationPage::Activate(const CConversion& job) {
  title = job.GetSubunitWord(true) + " Selection";
  text = "\"To my right is a list of all members in the old database.  Please select the ones that are actually " +
         job.GetSubunitWord(false) + "s for financial tracking.\"";
  items = Sorted(job.GetMembers());
  selected.clear();
  for (const std::string& marked : job.GetSubunitMembers()) {
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (items[i].compare(0, marked.size(), marked) == 0) {
        if (std::find(selected.begin(), selected.end(), static_cast<int>(i)) == selected.end())
          selected.push_back(static_cast<int>(i));
        break;
      }
    }
  }
}

void IdentificationPage::Next(CConversion& job, const std::vector<std::string>& selectedTexts) const {
  job.SetSubunitMembers(selectedTexts);
}

void FiscalYearPage::Activate(const CConversion& job) {
  years_ = job.GetYears();
  selection_.assign(years_.size(), 1);
  folders_ = job.GetNewFolders();
  folders_.resize(years_.size());
  rootEdit = job.GetRootFolder();
  text = "\"Here is a list of all available years for which there is data. Please select the ones you wish to "
         "convert and identify the folders in which to store the converted data.\"";
  position_ = 0;
  rangeMax_ = ScrollEnabled() ? static_cast<int>(years_.size()) - 1 : 0;
}

std::vector<FiscalYearPage::Row> FiscalYearPage::Rows() const {
  std::vector<Row> rows(kRows);
  for (int i = 0; i < kRows; ++i) {
    std::size_t y = static_cast<std::size_t>(position_ + i);
    if (y >= years_.size()) continue;
    rows[static_cast<std::size_t>(i)] = {true, years_[y] + ":", selection_[y] != 0, folders_[y], selection_[y] != 0};
  }
  return rows;
}

void FiscalYearPage::EditRow(int row, bool checked, const std::string& folder) {
  std::size_t y = static_cast<std::size_t>(position_ + row);
  if (row < 0 || row >= kRows || y >= years_.size()) return;
  selection_[y] = checked ? 1 : 0;
  folders_[y] = folder;
}

void FiscalYearPage::Scroll(int code, int thumb) {
  int p = position_;
  switch (code) {
    case kLineUp: p -= 1; break;
    case kLineDown: p += 1; break;
    case kPageUp: p -= kRows; break;
    case kPageDown: p += kRows; break;
    case kTop: p = 0; break;
    case kBottom: p = rangeMax_; break;
    case kThumb: p = thumb; break;
    default: break;
  }
  position_ = std::clamp(p, 0, rangeMax_);
}

void FiscalYearPage::ResetFolders(CConversion& job) {
  if (job.SetRootFolder(rootEdit)) folders_ = job.GetNewFolders();
  else Refused(job);
  folders_.resize(years_.size());
  position_ = 0;
}

bool FiscalYearPage::Next(CConversion& job) {
  for (std::size_t y = 0; y < years_.size(); ++y)
    if (!selection_[y]) folders_[y].clear();
  job.SetYearSelection(selection_);
  if (!job.SetNewFolders(folders_)) return Refused(job);
  return true;
}

std::string FiscalYearPage::BrowseTitle(int row) const {
  if (row < 0) return "Root Folder";
  std::size_t y = static_cast<std::size_t>(position_ + row);
  return y < years_.size() ? years_[y] + " Data Folder" : std::string();
}

void StartPage::Activate(const CConversion&) {
  text = "\"I now have all the information I need to run the conversion.  If you want to review your parameters, "
         "select the '<Back' button.\"\n\n\"If you're ready to convert the database, select the 'Next>' button to "
         "start the process.\"";
}

bool StartPage::Next(CConversion& job) const {
  SetWaitCursor(1);
  int ok = job.ConvertAll();
  SetWaitCursor(0);
  // The run has shown its failure already; the page only stays.
  return ok != 0;
}

void StatusPage::Activate(const CConversion& job) {
  const std::string head = "Here are the results of the database conversion.  ";
  const std::string advice = "Please try the conversion again and be sure to review your conversion parameters "
                             "carefully.  If it fails again, contact Brindlex Software, Inc. for help.";
  std::string body;
  switch (job.GetResult()) {
    case kStatusCancelled: body = "Since you cancelled the conversion, there are no results to report.  "; break;
    case kStatusSuccessful:
      body = head + "As you can see, all selected years converted properly, so it's ready for use.\"\n\n\"Happy Scouting!";
      break;
    case kStatusError: body = head + "As you can see, some of the conversion failed.  " + advice; break;
    default: body = head + "There were some serious problems.  " + advice; break;
  }
  text = "\"" + body + "\"";
  lines = job.GetStatusLines();
}
