// The FAQ browser: the questions as a tree of categories built from their
// "/"-separated paths; choosing a question shows its answer. Resizable; its
// size is remembered in settings "FAQ".
#pragma once

#include <string>

#include "app/FaqList.h"
#include "common/DialogSizer.h"
#include "platform/commctrl/TreeView.h"
#include "platform/dialogs/Dialog.h"

struct SettingsSection;

// Shows an answer: the answer report's viewer installs itself here. 1 when
// shown; without a viewer nothing is shown and the result is 0.
using FaqAnswerViewer = int (*)(const FaqEntry& entry);
void SetFaqAnswerViewer(FaqAnswerViewer viewer);
int ShowFaqAnswer(const FaqEntry& entry);

class CFaqDlg : public CDialog {
 public:
  explicit CFaqDlg(CWnd* parent = nullptr);
  ~CFaqDlg() override;

  FaqList* m_pList = nullptr;
  CTreeCtrl m_tree;

 protected:
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  void OnSize(UINT type, int cx, int cy) override;
  void OnDestroy() override;

 private:
  void BuildTree(int& index, HTREEITEM parent, const std::string& prefix);
  void OnSelect();

  SettingsSection* m_pSection = nullptr;
  int m_cx = 0, m_cy = 0;
  DialogSizer m_sizer;
};
