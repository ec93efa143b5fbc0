// What each of the wizard's pages shows, checks and decides, without its
// windows: a page's window fills its controls from Activate and hands the
// user's answers to Next, which returns false when the page must stay
// (after showing why).
#pragma once

#include <string>
#include <vector>

class CConversion;
class WizardFlow;

// Mode page: application type and new installation folder.
struct ModePage {
  std::string text;
  std::vector<std::string> types;  // product names of the types 0 to 3
  int selected = -1;
  std::string folder;
  void Activate(const CConversion& job);
  bool Next(CConversion& job, int selectedType, const std::string& folderText) const;
};

struct WelcomePage {
  std::string text;
  void Activate(const CConversion& job);
};

// Source page: the previous installation's folder, and the folder that
// stands for the drive letters of its old paths.
struct SourcePage {
  std::string text, label, folder, driveRoot;
  void Activate(const CConversion& job);
  std::string BrowseTitle() const { return label.empty() ? label : label.substr(0, label.size() - 1); }
  // Reads the old installation only when the folder (or the drive root)
  // changed.
  bool Next(CConversion& job, WizardFlow& flow, const std::string& folderText, const std::string& driveText);

 private:
  std::string readFolder_, readDriveRoot_;
  bool read_ = false;
};

// The adults-only sub-unit of version 1.
struct AdultPage {
  std::string label, title, text;
  std::vector<std::string> items;  // sorted
  int selected = -1;
  void Activate(const CConversion& job);
  // False when the old members can no longer be read; the source page is
  // offered again.
  bool Next(CConversion& job, WizardFlow& flow, const std::string& selectedText) const;
};

// Were dummy members used for sub-units?
struct SubunitQuestionPage {
  std::string title, text;
  bool yes = false;
  void Activate(const CConversion& job);
  void Next(CConversion& job, WizardFlow& flow, bool answerYes);
};

// Which members stood for sub-units.
struct IdentificationPage {
  std::string title, text;
  std::vector<std::string> items;  // sorted
  std::vector<int> selected;
  void Activate(const CConversion& job);
  void Next(CConversion& job, const std::vector<std::string>& selectedTexts) const;
};

// Years to convert and their folders, six rows at a time.
class FiscalYearPage {
 public:
  static constexpr int kRows = 6;
  struct Row {
    bool visible = false;
    std::string caption;  // the year and ":"
    bool checked = false;
    std::string folder;
    bool editEnabled = false;
  };
  enum ScrollCode { kLineUp, kLineDown, kPageUp, kPageDown, kTop, kBottom, kThumb };

  std::string text;
  std::string rootEdit;
  void Activate(const CConversion& job);
  std::vector<Row> Rows() const;
  int Position() const { return position_; }
  int RangeMax() const { return rangeMax_; }
  bool ScrollEnabled() const { return static_cast<int>(years_.size()) > kRows; }
  // What the user changed in a visible row.
  void EditRow(int row, bool checked, const std::string& folder);
  void Scroll(int code, int thumb = 0);
  void ResetFolders(CConversion& job);
  bool Next(CConversion& job);
  std::string BrowseTitle(int row) const;

 private:
  std::vector<std::string> years_, folders_;
  std::vector<unsigned> selection_;
  int position_ = 0;
  int rangeMax_ = 0;
};

struct StartPage {
  std::string text;
  void Activate(const CConversion& job);
  bool Next(CConversion& job) const;
};

struct StatusPage {
  std::string text;
  std::vector<std::string> lines;
  void Activate(const CConversion& job);
};
