#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "CommonTestUtil.h"
#include "common/ErrorText.h"
#include "common/Messages.h"
#include "common/Trace.h"
#include "common/UnitVocab.h"
#include "platform/testing/Automation.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/window/Window.h"

TEST(ErrorText, TemplatesIndexesAndItems) {
  SetUnitType(1);  // a pack: dens
  struct Case {
    ErrorTextIndex index;
    const char* item;
    const char* expected;
  } cases[] = {
      {ERR_OPEN, "acct408.dat", "Failed open: acct408.dat"},
      {ERR_WRITE, "account", "Failed write: account"},
      {ERR_TABLE_FULL, "account", "The system now holds the maximum number of accounts"},
      {ERR_TOO_MANY, "member", "Number of members exceeds maximum"},
      {static_cast<ErrorTextIndex>(20), "x", "Unknown error: x"},
      {static_cast<ErrorTextIndex>(-1), "x", "Unknown error: x"},
      {static_cast<ErrorTextIndex>(1000), "x", "Unknown error: x"},
      {ERR_OPEN, nullptr, "Failed open: ???"},
      {ERR_NONE_DEFINED, "subunit", "No dens are defined yet"},
      {ERR_NONE_DEFINED, "Subunit", "No Subunits are defined yet"},
  };
  for (const Case& c : cases) {
    char out[256];
    FormatErrorText(out, c.index, c.item);
    EXPECT_STREQ(out, c.expected) << static_cast<int>(c.index);
  }
  CString text;
  FormatErrorTextStr(text, ERR_NOT_FOUND, std::string(400, 'x').c_str());
  EXPECT_EQ(text.GetLength(), 255);
  SetUnitType(0);
}

TEST(DispMessage, EndsWithExactlyOneFullStopAndShowsTheKindsBox) {
  struct Case {
    const char* text;
    int kind;
    const char* shown;
    const char* caption;
    UINT type;
  } cases[] = {
      {"Disk is full.\r\n", MSG_ERROR, "Disk is full.", "Error", MB_OK | MB_ICONEXCLAMATION},
      {"Done...", MSG_INFORMATION, "Done.", "Information", MB_OK | MB_ICONINFORMATION},
      {"No stop", MSG_WARNING, "No stop.", "Warning", MB_OK | MB_ICONEXCLAMATION},
      {".\n.\r", MSG_ERROR, ".", "Error", MB_OK | MB_ICONEXCLAMATION},
      {"Insert disk", MSG_PROMPT, "Insert disk.\n\nSelect OK when ready.", "Prompt", MB_OKCANCEL | MB_ICONINFORMATION},
  };
  for (const Case& c : cases) {
    automation::ClearResponder();
    automation::AlwaysAnswer("", "", IDOK);
    DispMessage(c.text, c.kind);
    ASSERT_EQ(automation::ModalLog().size(), 1u);
    const automation::ModalInfo& box = automation::ModalLog()[0];
    EXPECT_EQ(box.kind, "messagebox");
    EXPECT_EQ(box.text, c.shown);
    EXPECT_EQ(box.caption, c.caption);
    EXPECT_EQ(box.type, c.type);
  }
}

TEST(DispMessage, GoesToTheInstalledPresenterAndNoBoxIsMade) {
  struct Recorder : MessagePresenter {
    std::vector<std::string> shown;
    int Show(const char* text, const char* caption, UINT type) override {
      shown.push_back(std::string(caption) + "|" + text + "|" + std::to_string(type));
      return IDCANCEL;
    }
  } recorder;
  SetMessagePresenter(&recorder);
  DispMessage("Insert disk", MSG_PROMPT);
  ShowWarningBox("Too late", "Date");
  SetMessagePresenter(nullptr);
  EXPECT_TRUE(automation::ModalLog().empty());
  EXPECT_EQ(recorder.shown,
            (std::vector<std::string>{"Prompt|Insert disk.\n\nSelect OK when ready.|" +
                                          std::to_string(MB_OKCANCEL | MB_ICONINFORMATION),
                                      "Date|Too late|" + std::to_string(MB_OK | MB_ICONEXCLAMATION)}));
  EXPECT_EQ(PromptAnswerOk, 0);
}

TEST(DispMessage, FatalErrorQuotesTheRuntimeErrorText) {
  automation::AlwaysAnswer("Fatal Error", "", IDOK);
  errno = ENOENT;
  DispMessage("Failed open: acct408.dat", MSG_FATAL);
  std::string expected = std::string("Failed open: acct408.dat.\n\n\"") + std::strerror(ENOENT) + "\"";
  EXPECT_EQ(automation::ModalLog().at(0).text, expected);
}

TEST(DispMessage, PromptLeavesItsAnswerInPromptAnswerOk) {
  automation::ExpectMessageBox("Prompt", "", IDOK);
  DispMessage("Insert disk 1", MSG_PROMPT);
  EXPECT_EQ(PromptAnswerOk, 1);
  automation::ExpectMessageBox("Prompt", "", IDCANCEL);
  DispMessage("Insert disk 2", MSG_PROMPT);
  EXPECT_EQ(PromptAnswerOk, 0);
  automation::ExpectMessageBox("Error", "", IDOK);
  DispMessage("Other kinds leave it alone", MSG_ERROR);
  EXPECT_EQ(PromptAnswerOk, 0);
}

TEST(DispMessage, WritesTheShownTextToTheTraceFile) {
  TempFolder dir;
  ASSERT_TRUE(TheTraceLog().Configure((dir / "trace.txt").c_str(), 1, 0));
  automation::AlwaysAnswer("", "", IDOK);
  DispMessage("Repaired account 101...\n", MSG_INFORMATION);
  std::string trace = ReadBytes(dir / "trace.txt");
  TheTraceLog().Configure("", 0, 0);
  EXPECT_NE(trace.find("\r\n    Repaired account 101.\r\n"), std::string::npos) << trace;
}

TEST(SmallBoxes, QuestionsAndRequiredError) {
  automation::ResetWindows();
  automation::ExpectMessageBox("Error", "Date required", IDOK);
  ShowRequiredError("Date");
  automation::ExpectMessageBox("Note", "Saved", IDOK);
  ShowInfoBox("Saved", "Note");
  // The warning sounds the exclamation beep, the information box the plain one.
  EXPECT_EQ(automation::Beeps(), (std::vector<UINT>{MB_ICONEXCLAMATION, 0}));
  EXPECT_EQ(automation::ModalLog().back().type, MB_OK | MB_ICONINFORMATION);
  automation::ExpectMessageBox("Question", "Do you really want to delete:  \"Camp Fund\"?", 2);
  EXPECT_TRUE(ConfirmDelete("Camp Fund"));
  automation::ExpectMessageBox("Question", "Do you wish to cancel the export process?", 8);
  EXPECT_EQ(AskCancelProcess("export"), 8);
  automation::ExpectMessageBox("Question", "Do you wish to save your changes?", 1);
  EXPECT_EQ(AskSaveChanges("Do you wish to save your changes"), 1);
  EXPECT_TRUE(automation::PendingExpectations().empty());
}
