// The question box window: the question with the question icon over one
// centred row of the buttons the caller offers (Yes and No always; Yes To
// All, No To All and Cancel on request). Each button ends the box with its
// answer bit; Escape and the close box act as Cancel only when Cancel is
// offered. The box sizes itself to the question when it opens.
#pragma once

#include "common/Question.h"
#include "platform/base/CString.h"
#include "platform/dialogs/Dialog.h"

class CQuestionDlg : public CDialog {
 public:
  explicit CQuestionDlg(const QuestionLayout& layout, CWnd* pParentWnd = nullptr);

  CString m_text;         // the question with its "?"
  int m_defaultAnswer;    // the bit of the default (Enter) button
  int m_mask;             // the bits of the buttons shown

  BOOL OnInitDialog() override;

 protected:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnOK() override;
  void OnCancel() override;
  void OnDrawItem(int idCtl, LPDRAWITEMSTRUCT dis) override;

 private:
  void SizeToQuestion(int visibleButtons);
};

// Runs CQuestionDlg modally for AskQuestion.
class DialogQuestionPresenter : public QuestionPresenter {
 public:
  int Ask(const QuestionLayout& layout) override;
};
