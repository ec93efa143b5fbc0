#include "app/FaqDlg.h"

#include <cstring>

#include "common/DialogHelp.h"
#include "common/DialogSizer.h"
#include "common/DlgUtil.h"
#include "common/Settings.h"
#include "platform/window/CommCtrlDefs.h"
#include "platform/window/Messages.h"
#include "res/resource.h"

namespace {

FaqAnswerViewer answerViewer = nullptr;

}  // namespace

void SetFaqAnswerViewer(FaqAnswerViewer viewer) { answerViewer = viewer; }

int ShowFaqAnswer(const FaqEntry& entry) { return answerViewer ? answerViewer(entry) : 0; }

CFaqDlg::CFaqDlg(CWnd* parent) : CDialog(IDD_FAQ, parent) {
  m_pSection = OpenSettingsSection(SettingsFileName, "FAQ");
  m_cx = ReadDialogSize(m_pSection, 'X');
  m_cy = ReadDialogSize(m_pSection, 'Y');
}

CFaqDlg::~CFaqDlg() {
  if (m_pSection) CloseSettingsSection(m_pSection);
}

BOOL CFaqDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_tree.SubclassDlgItem(IDC_FAQ_TREE, this);
  int index = 0;
  if (m_pList) BuildTree(index, TVI_ROOT, "");
  m_sizer.Start(this, m_cx, m_cy);
  CenterWindow();
  return TRUE;
}

void CFaqDlg::BuildTree(int& index, HTREEITEM parent, const std::string& prefix) {
  while (index < m_pList->count) {
    const char* path = m_pList->entries[index].path;
    if (std::strncmp(path, prefix.c_str(), prefix.size()) != 0) return;
    if (path == prefix) {
      ++index;
      continue;
    }
    const char* rest = path + prefix.size();
    const char* slash = std::strchr(rest, '/');
    const std::string name = slash ? std::string(rest, static_cast<size_t>(slash - rest)) : std::string(rest);
    HTREEITEM item = m_tree.InsertItem(name.c_str(), parent, TVI_LAST);
    m_tree.SetItemData(item, static_cast<DWORD_PTR>(index));
    if (slash) {
      BuildTree(index, item, prefix + name + "/");
    } else {
      // Questions of the same path share the first one's item.
      const std::string question = prefix + name;
      while (index < m_pList->count && question == m_pList->entries[index].path) ++index;
    }
  }
}

void CFaqDlg::OnSelect() {
  HTREEITEM item = m_tree.GetSelectedItem();
  if (item == nullptr) return;
  if (m_tree.ItemHasChildren(item)) {
    m_tree.Expand(item, TVE_TOGGLE);
    return;
  }
  const auto index = static_cast<int>(m_tree.GetItemData(item));
  if (m_pList && index >= 0 && index < m_pList->count) ShowFaqAnswer(m_pList->entries[index]);
}

BOOL CFaqDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (DialogHelpCommand(wParam, DialogHelpContext(IDD_FAQ))) return TRUE;
  if (LOWORD(wParam) == IDC_FAQ_SELECT) {
    OnSelect();
    return TRUE;
  }
  return CDialog::OnCommand(wParam, lParam);
}

BOOL CFaqDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  const auto* nm = reinterpret_cast<const NMHDR*>(lParam);
  if (nm && nm->idFrom == IDC_FAQ_TREE && nm->code == static_cast<UINT>(NM_DBLCLK)) {
    OnSelect();
    if (pResult) *pResult = 1;
    return TRUE;
  }
  return CDialog::OnNotify(wParam, lParam, pResult);
}

void CFaqDlg::OnSize(UINT type, int cx, int cy) {
  CDialog::OnSize(type, cx, cy);
  // The size event sent while the window is made is not the user's.
  if (!m_sizer.Started()) return;
  int dx = 0, dy = 0;
  m_sizer.Step(this, &m_cx, &m_cy, &dx, &dy);
  for (int id : {IDC_FAQ_SELECT, IDCANCEL, IDC_SHELL_HELP})
    if (CWnd* button = GetDlgItem(id)) MoveControlBy(button, dx, dy, TRUE);
  if (CWnd* tree = GetDlgItem(IDC_FAQ_TREE)) MoveControlBy(tree, dx, dy, FALSE);
  m_sizer.Finish(this);
}

void CFaqDlg::OnDestroy() {
  WriteDialogSize(m_pSection, 'X', m_cx);
  WriteDialogSize(m_pSection, 'Y', m_cy);
  CloseSettingsSection(m_pSection);
  m_pSection = nullptr;
  CDialog::OnDestroy();
}
