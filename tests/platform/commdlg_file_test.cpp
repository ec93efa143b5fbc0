// The file open and save dialog driven as a user would: typed names, paths
// and patterns, filters, going up, refusals and questions, a replacement
// template with its own dialog class, and the file-system helpers behind it.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "platform/commdlg/FileDialog.h"
#include "platform/commdlg/FileSystemList.h"
#include "tests/platform/commdlg_support.h"

using namespace commdlgtest;

namespace {

TEST(FilePatterns, MatchWithoutRegardToCase) {
  struct Case {
    const char* name;
    const char* patterns;
    bool match;
  } cases[] = {
      {"REPORT.TXT", "*.txt", true},     {"report.txt", "*.TXT", true},  {"notes.txt", "*.bmp", false},
      {"README", "*.*", true},           {"a.b.c", "*.c", true},         {"ab.txt", "?.txt", false},
      {"a.txt", "?.txt", true},          {"tool.COM", "*.exe;*.com", true}, {"tool.com", " *.exe ; *.com ", true},
      {"tool.bat", "*.exe;*.com", false}, {"fy2024", "FY*", true},       {"\xC9t\xE9.txt", "\xE9T\xC9*", true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(commdlg::MatchPatterns(c.name, c.patterns), c.match) << c.name << " against " << c.patterns;
}

TEST(FilePatterns, FiltersInBothForms) {
  auto bar = commdlg::ParseBarFilter("Programs | *.exe;*.com | All Files (*.*) | *.* ||");
  ASSERT_EQ(bar.size(), 2u);
  EXPECT_EQ(bar[0].first, "Programs");
  EXPECT_EQ(bar[0].second, "*.exe;*.com");
  EXPECT_EQ(bar[1].second, "*.*");
  EXPECT_EQ(commdlg::ParseBarFilter("Bitmaps|*.bmp||").size(), 1u);
  auto zero = commdlg::ParseZeroFilter("Text\0*.txt\0All\0*.*\0");
  ASSERT_EQ(zero.size(), 2u);
  EXPECT_EQ(zero[1].first, "All");
}

TEST(FilePatterns, PathsTakeEitherSeparator) {
  EXPECT_EQ(commdlg::ResolvePath("/home/u", "sub\\file.txt"), "/home/u/sub/file.txt");
  EXPECT_EQ(commdlg::ResolvePath("/home/u", ".."), "/home");
  EXPECT_EQ(commdlg::ResolvePath("/home/u", "/etc//x/"), "/etc/x");
  EXPECT_EQ(commdlg::ResolvePath("/", "../.."), "/");
  EXPECT_EQ(commdlg::ParentOf("/home"), "/");
}

class FileDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    automation::ResetWindows();
    dir.File("notes.txt");
    dir.File("Report.TXT");
    dir.File("picture.bmp");
    dir.File("sub/inner.txt");
    dir.Folder("Archive");
  }
  void TearDown() override { automation::ResetWindows(); }

  // An open-dialog parameter block on the scratch folder.
  OPENFILENAME Block(DWORD flags, const char* filter = "Text Files (*.txt)\0*.txt\0All Files (*.*)\0*.*\0") {
    OPENFILENAME ofn;
    file[0] = '\0';
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrFilter = filter;
    ofn.lpstrInitialDir = dir.path().c_str();
    ofn.lpstrTitle = "Pick";
    ofn.Flags = flags;
    return ofn;
  }

  ScratchFolder dir;
  char file[260] = {};
};

TEST_F(FileDialogTest, ListsFoldersAndMatchingFilesAndFollowsTheFilter) {
  OPENFILENAME ofn = Block(OFN_HIDEREADONLY);
  std::vector<std::string> files, folders, afterFilter;
  std::string edit, current;
  automation::OnDialog("Pick", [&](HWND h) {
    files = ListTexts(h, lst1);
    folders = ListTexts(h, lst2);
    edit = ItemText(h, edt1);
    current = ItemText(h, stc1);
    // The second filter through the keyboard, as a user picks it.
    SetFocus(GetDlgItem(h, cmb1));
    automation::PressKey(VK_DOWN);
    automation::PumpUntilIdle();
    afterFilter = ListTexts(h, lst1);
  }, IDCANCEL);
  EXPECT_FALSE(GetOpenFileName(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), 0u);
  EXPECT_EQ(files, (std::vector<std::string>{"notes.txt", "Report.TXT"}));
  EXPECT_EQ(edit, "*.txt");
  EXPECT_EQ(current, dir.path());
  // The folders from the root down to the one shown, then its own folders
  // one step further in.
  const std::string leaf = std::filesystem::path(dir.path()).filename().string();
  ASSERT_EQ(folders.size(), 5u);
  EXPECT_EQ(folders[0], "/");
  EXPECT_EQ(folders[1], "  tmp");
  EXPECT_EQ(folders[2], "    " + leaf);
  EXPECT_EQ(folders[3], "      Archive");
  EXPECT_EQ(folders[4], "      sub");
  EXPECT_EQ(afterFilter, (std::vector<std::string>{"notes.txt", "picture.bmp", "Report.TXT"}));
  EXPECT_EQ(ofn.nFilterIndex, 2u);
}

TEST_F(FileDialogTest, TypedNamesPathsAndPatterns) {
  struct Case {
    std::string typed;
    std::string expected;  // the path returned
  } cases[] = {
      {"notes.txt", dir / "notes.txt"},
      {"REPORT.TXT", ""},  // names are exact: this one is missing, and must exist
      {"sub\\inner.txt", dir / "sub/inner.txt"},
      {dir / "sub/../picture.bmp", dir / "picture.bmp"},
  };
  for (const Case& c : cases) {
    OPENFILENAME ofn = Block(OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY);
    if (c.expected.empty()) automation::ExpectMessageBox("Pick", "File not found", IDOK);
    automation::OnDialog("Pick", [&](HWND h) { TypeAndEnter(h, edt1, c.typed); }, IDCANCEL);
    EXPECT_EQ(GetOpenFileName(&ofn) != FALSE, !c.expected.empty()) << c.typed;
    if (!c.expected.empty()) {
      EXPECT_EQ(std::string(file), c.expected) << c.typed;
      EXPECT_STREQ(file + ofn.nFileOffset, std::filesystem::path(c.expected).filename().c_str());
    }
    EXPECT_TRUE(automation::PendingExpectations().empty()) << c.typed;
  }
}

TEST_F(FileDialogTest, APatternOrAFolderTypedChangesTheListsAndKeepsTheDialogOpen) {
  OPENFILENAME ofn = Block(OFN_HIDEREADONLY);
  std::vector<std::string> bmpOnly, inSub, afterUp, afterParentEntry;
  std::string folderAfterUp;
  automation::OnDialog("Pick", [&](HWND h) {
    TypeAndEnter(h, edt1, "*.BMP");
    bmpOnly = ListTexts(h, lst1);
    TypeAndEnter(h, edt1, "sub");
    inSub = ListTexts(h, lst1);
    TypeAndEnter(h, edt1, "..");
    afterUp = ListTexts(h, lst1);
    folderAfterUp = ItemText(h, stc1);
    // Up through the folder list: the entry of the folder above.
    TypeAndEnter(h, edt1, "sub");
    DoubleClickEntry(h, lst2, std::filesystem::path(dir.path()).filename().string());
    afterParentEntry = ListTexts(h, lst1);
  }, IDCANCEL);
  EXPECT_FALSE(GetOpenFileName(&ofn));
  EXPECT_EQ(bmpOnly, std::vector<std::string>{"picture.bmp"});
  EXPECT_TRUE(inSub.empty());  // the pattern stays *.BMP
  EXPECT_EQ(afterUp, std::vector<std::string>{"picture.bmp"});
  EXPECT_EQ(folderAfterUp, dir.path());
  EXPECT_EQ(afterParentEntry, std::vector<std::string>{"picture.bmp"});
}

TEST_F(FileDialogTest, MissingFolderAndVanishedFolderGiveAMessageAndKeepTheDialog) {
  OPENFILENAME ofn = Block(OFN_PATHMUSTEXIST | OFN_HIDEREADONLY);
  automation::ExpectMessageBox("Pick", "This folder does not exist", IDOK);
  automation::ExpectMessageBox("Pick", "cannot be opened", IDOK);
  std::string afterVanished;
  bool clicked = false;
  automation::OnDialog("Pick", [&](HWND h) {
    TypeAndEnter(h, edt1, "nowhere/file.txt");
    std::filesystem::remove_all(dir / "Archive");
    clicked = DoubleClickEntry(h, lst2, "Archive");
    afterVanished = ItemText(h, stc1);
    TypeAndEnter(h, edt1, "notes.txt");
  }, IDCANCEL);
  EXPECT_TRUE(GetOpenFileName(&ofn));
  EXPECT_TRUE(clicked);
  EXPECT_EQ(afterVanished, dir.path());
  EXPECT_EQ(std::string(file), dir / "notes.txt");
  EXPECT_TRUE(automation::PendingExpectations().empty());
}

TEST_F(FileDialogTest, AVanishedFileIsRefusedWhenItMustExist) {
  OPENFILENAME ofn = Block(OFN_FILEMUSTEXIST | OFN_HIDEREADONLY);
  automation::ExpectMessageBox("Pick", "File not found", IDOK);
  std::vector<std::string> after;
  automation::OnDialog("Pick", [&](HWND h) {
    SendDlgItemMessage(h, lst1, LB_SETCURSEL, 0, 0);
    SetDlgItemText(h, edt1, "notes.txt");
    std::filesystem::remove(dir / "notes.txt");
    automation::PressKey(VK_RETURN);
    automation::PumpUntilIdle();
    after = ListTexts(h, lst1);
  }, IDCANCEL);
  EXPECT_FALSE(GetOpenFileName(&ofn));
  EXPECT_EQ(after, std::vector<std::string>{"Report.TXT"});  // the list is made anew
}

TEST_F(FileDialogTest, SaveAsksBeforeReplacingAndAddsTheDefaultExtension) {
  CFileDialog dlg(FALSE, "txt", "notes.txt", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                  "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||");
  dlg.m_ofn.lpstrInitialDir = dir.path().c_str();
  automation::ExpectMessageBox("Save As", "already exists", IDNO);
  automation::ExpectMessageBox("Save As", "already exists", IDYES);
  bool openAfterNo = false;
  automation::OnDialog("Save As", [&](HWND h) {
    automation::PressKey(VK_RETURN);
    automation::PumpUntilIdle();
    openAfterNo = IsWindowVisible(h);
    automation::PressKey(VK_RETURN);
    automation::PumpUntilIdle();
  }, IDCANCEL);
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_TRUE(openAfterNo);
  EXPECT_EQ(std::string(dlg.GetPathName()), dir / "notes.txt");
  EXPECT_TRUE(automation::PendingExpectations().empty());

  // A new name without an extension gets the default one, and no question.
  CFileDialog fresh(FALSE, "txt", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "Text Files (*.txt)|*.txt||");
  fresh.m_ofn.lpstrInitialDir = dir.path().c_str();
  automation::OnDialog("Save As", [&](HWND h) { TypeAndEnter(h, edt1, "budget"); }, IDCANCEL);
  EXPECT_EQ(fresh.DoModal(), IDOK);
  EXPECT_EQ(std::string(fresh.GetPathName()), dir / "budget.txt");
  EXPECT_EQ(std::string(fresh.GetFileTitle()), "budget");
  EXPECT_EQ(std::string(fresh.GetFileExt()), "txt");
}

TEST_F(FileDialogTest, NamesAreShownAndReturnedInTheProgramsText) {
  // On disk in UTF-8; the program sees Windows-1252, and a name it cannot
  // hold is not offered at all.
  dir.File("\xC3\x89t\xC3\xA9.txt");
  dir.File("\xE6\x97\xA5\xE6\x9C\xAC.txt");
  OPENFILENAME ofn = Block(OFN_FILEMUSTEXIST | OFN_HIDEREADONLY);
  std::vector<std::string> files;
  automation::OnDialog("Pick", [&](HWND h) {
    files = ListTexts(h, lst1);
    SendDlgItemMessage(h, lst1, LB_SETCURSEL, 0, 0);
    DoubleClickEntry(h, lst1, "\xC9t\xE9.txt");
  }, IDCANCEL);
  EXPECT_TRUE(GetOpenFileName(&ofn));
  EXPECT_EQ(files, (std::vector<std::string>{"notes.txt", "Report.TXT", "\xC9t\xE9.txt"}));
  EXPECT_EQ(std::string(file), dir / "\xC9t\xE9.txt");
}

TEST_F(FileDialogTest, AMissingInitialFolderStartsOnTheNearestOneAndReadOnlyComesBack) {
  const std::string gone = dir / "gone/deeper";
  OPENFILENAME ofn = Block(OFN_READONLY);
  ofn.lpstrInitialDir = gone.c_str();
  std::string current;
  bool readOnlyShown = false;
  automation::OnDialog("Pick", [&](HWND h) {
    current = ItemText(h, stc1);
    readOnlyShown = IsWindowVisible(GetDlgItem(h, chx1)) && IsDlgButtonChecked(h, chx1) == BST_CHECKED;
    TypeAndEnter(h, edt1, "notes.txt");
  }, IDCANCEL);
  EXPECT_TRUE(GetOpenFileName(&ofn));
  EXPECT_EQ(current, dir.path());
  EXPECT_TRUE(readOnlyShown);
  EXPECT_TRUE(ofn.Flags & OFN_READONLY);
}

TEST_F(FileDialogTest, APathTooLongForTheBufferFailsWithItsError) {
  OPENFILENAME ofn = Block(OFN_HIDEREADONLY);
  ofn.nMaxFile = 8;
  automation::OnDialog("Pick", [&](HWND h) { TypeAndEnter(h, edt1, "notes.txt"); }, IDCANCEL);
  EXPECT_FALSE(GetOpenFileName(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(FNERR_BUFFERTOOSMALL));
  const size_t need = (dir / "notes.txt").size() + 1;
  EXPECT_EQ(static_cast<unsigned char>(file[0]) | (static_cast<unsigned char>(file[1]) << 8), static_cast<int>(need));
}

// A folder picker as the program builds one: its own template with the
// same controls, the file controls hidden, a dummy name, the chosen folder
// read off the returned path.
const char* kPickerTemplate = R"(
dialog 7536
  caption "Select Directory"
  rect 0 0 166 135
  font 8 "MS Sans Serif"
  style WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME
  control Static 1090 "File &Name:" 6 6 76 9
  control Edit 1152 "" 6 16 90 12 ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP
  control ListBox 1120 "" 6 32 90 68 LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP
  control Static IDC_STATIC "&Folders:" 6 6 92 9
  control Static 1088 "" 6 16 92 9 SS_NOPREFIX
  control ListBox 1121 "" 6 32 92 68 LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP
  control Static 1089 "List Files of &Type:" 6 104 90 9
  control ComboBox 1136 "" 6 114 90 60 CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP
  control Static IDC_STATIC "Dri&ves:" 6 104 92 9
  control ComboBox 1137 "" 6 114 92 60 CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP
  control Button IDOK "OK" 110 6 50 14 BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP
  control Button IDCANCEL "Cancel" 110 24 50 14 WS_TABSTOP
  control Button 1038 "&Help" 110 46 50 14 WS_TABSTOP
  control Button 1040 "&Read Only" 110 68 50 12 BS_AUTOCHECKBOX | WS_TABSTOP
end
)";

class Picker : public CFileDialog {
 public:
  Picker() : CFileDialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_ENABLETEMPLATE |
                                                     OFN_NONETWORKBUTTON | OFN_LONGNAMES | OFN_PATHMUSTEXIST) {}
  BOOL OnInitDialog() override {
    for (int id : {1089, 1090, 1152, 1120, 1136}) GetDlgItem(id)->ShowWindow(SW_HIDE);
    SetDlgItemText(1152, "Junk");
    GetDlgItem(1121)->SetFocus();
    CFileDialog::OnInitDialog();
    return FALSE;
  }
};

UINT_PTR hookCalls = 0;
LPARAM hookInitParam = 0;
UINT_PTR recordingHook(HWND, UINT message, WPARAM, LPARAM lParam) {
  ++hookCalls;
  if (message == WM_INITDIALOG) hookInitParam = lParam;
  return 0;
}

TEST_F(FileDialogTest, AReplacementTemplateAndHookMakeAFolderPicker) {
  std::string error;
  ASSERT_TRUE(AddDialogTemplates(kPickerTemplate, "picker", &error)) << error;
  Picker dlg;
  char start[260];
  std::snprintf(start, sizeof start, "%s/", dir.path().c_str());
  dlg.m_ofn.lpstrFile = start;
  dlg.m_ofn.nMaxFile = sizeof start;
  dlg.m_ofn.lpstrTitle = "Select Folder";
  dlg.m_ofn.lpTemplateName = MAKEINTRESOURCE(7536);
  dlg.m_ofn.Flags |= OFN_ENABLEHOOK;
  dlg.m_ofn.lpfnHook = recordingHook;
  dlg.m_ofn.Flags &= ~static_cast<DWORD>(OFN_SHOWHELP | OFN_EXPLORER);
  hookCalls = 0;
  hookInitParam = 0;
  bool fileControlsHidden = false;
  automation::OnDialog("Select Folder", [&](HWND h) {
    fileControlsHidden = !IsWindowVisible(GetDlgItem(h, 1152)) && !IsWindowVisible(GetDlgItem(h, 1120));
    DoubleClickEntry(h, lst2, "sub");
    automation::PressKey(VK_RETURN);
    automation::PumpUntilIdle();
  }, IDCANCEL);
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_TRUE(fileControlsHidden);
  EXPECT_EQ(std::string(start), dir / "sub/Junk");
  EXPECT_EQ(std::string(dlg.GetFolderPath()), dir / "sub");
  EXPECT_GT(hookCalls, 1u);
  EXPECT_EQ(hookInitParam, reinterpret_cast<LPARAM>(&dlg.m_ofn));
}

TEST_F(FileDialogTest, AMissingReplacementTemplateIsAnError) {
  OPENFILENAME ofn = Block(OFN_ENABLETEMPLATE);
  ofn.lpTemplateName = "NO_SUCH_TEMPLATE";
  EXPECT_FALSE(GetOpenFileName(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_FINDRESFAILURE));
}

}  // namespace
