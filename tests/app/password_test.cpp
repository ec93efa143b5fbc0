// The data password: the three attempts of the prompt and the rules of the
// new-password dialog, against the stored hash.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppTestUtil.h"
#include "app/Password.h"
#include "common/UnitSettings.h"
#include "res/resource.h"

namespace {

class PasswordTest : public ::testing::Test {
 protected:
  void SetUp() override { automation::ResetWindows(); }
  void TearDown() override {
    EXPECT_TRUE(automation::PendingExpectations().empty());
    automation::ClearResponder();
    automation::ResetWindows();
  }
  // Runs the prompt, typing each text in turn and pressing OK after it; a
  // prompt that did not end itself ends with `otherwise`.
  bool Prompt(const std::string& hash, const std::vector<std::string>& typed, int otherwise,
              std::string* prompt = nullptr) {
    automation::OnDialog(
        "Enter Password",
        [&](HWND h) {
          if (prompt) *prompt = FieldText(h, IDC_PASSWORD_PROMPT);
          for (const std::string& t : typed) {
            SetField(h, IDC_PASSWORD_TEXT, t);
            Press(h, IDOK);
          }
        },
        otherwise);
    CPassword password;
    password.SetPassword(hash.c_str());
    password.SetPrompt("Den leader's dog?");
    return password.Verify();
  }
};

TEST_F(PasswordTest, NoPasswordIsAcceptedWithoutAsking) {
  CPassword password;
  EXPECT_TRUE(password.Verify());
  EXPECT_TRUE(automation::ModalLog().empty());
}

TEST_F(PasswordTest, RightPasswordAfterAMistake) {
  automation::ExpectMessageBox("", "Invalid password.", IDOK);
  std::string prompt;
  EXPECT_TRUE(Prompt(HashPassword("Badger42"), {"badger42", "Badger42"}, IDCANCEL, &prompt));
  EXPECT_EQ(prompt, "Den leader's dog?");
}

TEST_F(PasswordTest, ThreeWrongEntriesEndThePromptAndAnEmptyOneIsNotCounted) {
  automation::ExpectMessageBox("", "You must supply a password.", IDOK);
  automation::ExpectMessageBox("", "Invalid password.", IDOK);
  automation::ExpectMessageBox("", "Invalid password.", IDOK);
  automation::ExpectMessageBox(
      "",
      "Invalid password.\n\nYou have failed to enter the correct password after 3 attempts.\nThe request is cancelled.",
      IDOK);
  EXPECT_FALSE(Prompt(HashPassword("Badger42"), {"", "one", "BADGER42", "three"}, IDOK));
}

TEST_F(PasswordTest, CancelEndsThePrompt) {
  automation::OnDialog("Enter Password", [](HWND h) { Press(h, IDCANCEL); }, IDOK);
  CPassword password;
  password.SetPassword(HashPassword("Badger42").c_str());
  EXPECT_FALSE(password.Verify());
}

TEST_F(PasswordTest, NewPasswordLengthAndConfirmation) {
  struct Case {
    std::string newText, confirm;
    const char* message;  // null: accepted
  };
  const Case cases[] = {
      {"abcde", "abcde", "Your password must be between 6 and 12 characters long."},
      {"abcdefghijklm", "abcdefghijklm", "Your password must be between 6 and 12 characters long."},
      {"abcdef", "abcdeF",
       "Your confirmation does not match your password.\n\nPlease enter the same value for your Password and "
       "Confirmation."},
      {"abcdef", "abcdef", nullptr},
      {"abcdefghijkl", "abcdefghijkl", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.newText + "/" + c.confirm);
    if (c.message) automation::ExpectMessageBox("", c.message, IDOK);
    automation::OnDialog(
        "New Password",
        [&](HWND h) {
          SetField(h, IDC_PASSWORD_PROMPT, "Camp site?");
          SetField(h, IDC_PASSWORD_NEW, c.newText);
          SetField(h, IDC_PASSWORD_CONFIRM, c.confirm);
          Press(h, IDOK);
        },
        IDCANCEL);
    CPassword password;
    ASSERT_TRUE(password.Verify());
    EXPECT_EQ(password.Change(), c.message == nullptr);
    if (!c.message) {
      EXPECT_TRUE(PasswordMatches(c.newText, static_cast<const char*>(password.GetPassword())));
      EXPECT_STREQ(password.GetPrompt(), "Camp site?");
    } else {
      EXPECT_TRUE(password.GetPassword().IsEmpty());
    }
  }
}

TEST_F(PasswordTest, ChangeOffersTheCurrentPasswordAndErasingItRemovesIt) {
  const std::string hash = HashPassword("Badger42");
  std::string shownNew, shownConfirm, shownPrompt;
  automation::OnDialog(
      "Enter Password",
      [](HWND h) {
        SetField(h, IDC_PASSWORD_TEXT, "Badger42");
        Press(h, IDOK);
      },
      IDCANCEL);
  automation::OnDialog(
      "New Password",
      [&](HWND h) {
        shownNew = FieldText(h, IDC_PASSWORD_NEW);
        shownConfirm = FieldText(h, IDC_PASSWORD_CONFIRM);
        shownPrompt = FieldText(h, IDC_PASSWORD_PROMPT);
        SetField(h, IDC_PASSWORD_NEW, "");
        SetField(h, IDC_PASSWORD_CONFIRM, "");
        Press(h, IDOK);
      },
      IDCANCEL);
  CPassword password;
  password.SetPassword(hash.c_str());
  password.SetPrompt("Den leader's dog?");
  ASSERT_TRUE(password.Verify());
  ASSERT_TRUE(password.Change());
  EXPECT_EQ(shownNew, "Badger42");
  EXPECT_EQ(shownConfirm, "Badger42");
  EXPECT_EQ(shownPrompt, "Den leader's dog?");
  EXPECT_TRUE(password.GetPassword().IsEmpty());
  // With the password removed the prompt no longer asks.
  EXPECT_TRUE(password.Verify());
}

}  // namespace
