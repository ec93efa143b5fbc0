#include "app/FaqDlg.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/DlgUtil.h"
#include "common/Settings.h"
#include "platform/window/CommCtrlDefs.h"
#include "platform/window/Messages.h"
#include "res/resource.h"

namespace {

FaqAnswerViewer answerViewer = nullptr;

int ReadSize(SettingsSection* section, char key) {
  char text[32] = "";
  GetSettingText(section, key, "0", text);
  return std::atoi(text);
}

void WriteSize(SettingsSection* section, char key, int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  PutSettingText(section, key, text);
}

}  // namespace

void SetFaqAnswerViewer(FaqAnswerViewer viewer) { answerViewer = viewer; }

int ShowFaqAnswer(const FaqEntry& entry) { return answerViewer ? answerViewer(entry) : 0; }

CFaqDlg::CFaqDlg(CWnd* parent) : CDialog(IDD_FAQ, parent) {
  m_pSection = OpenSettingsSection(SettingsFileName, "FAQ");
  m_cx = ReadSize(m_pSection, 'X');
  m_cy = ReadSize(m_pSection, 'Y');
}

CFaqDlg::~CFaqDlg() {
  if (m_pSection) CloseSettingsSection(m_pSection);
}

BOOL CFaqDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_tree.SubclassDlgItem(IDC_FAQ_TREE, this);
  int index = 0;
  if (m_pList) BuildTree(index, TVI_ROOT, "");
  RECT r{};
  GetWindowRect(&r);
  m_nMinWidth = m_nLastWidth = r.right - r.left;
  m_nMinHeight = m_nLastHeight = r.bottom - r.top;
  if (m_cx != 0) SetWindowPos(nullptr, 0, 0, m_cx, m_cy, SWP_NOMOVE | SWP_NOZORDER);
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
  if (m_bFirstSize || m_nMinWidth == 0) {
    m_bFirstSize = 0;
    return;
  }
  RECT r{};
  GetWindowRect(&r);
  int width = r.right - r.left, height = r.bottom - r.top;
  bool raised = false;
  if (width < m_nMinWidth) {
    width = m_nMinWidth;
    raised = true;
  }
  if (height < m_nMinHeight) {
    height = m_nMinHeight;
    raised = true;
  }
  const int dx = width - m_nLastWidth, dy = height - m_nLastHeight;
  for (int id : {IDC_FAQ_SELECT, IDCANCEL, IDC_SHELL_HELP})
    if (CWnd* button = GetDlgItem(id)) MoveControlBy(button, dx, dy, TRUE);
  if (CWnd* tree = GetDlgItem(IDC_FAQ_TREE)) MoveControlBy(tree, dx, dy, FALSE);
  m_nLastWidth = m_cx = width;
  m_nLastHeight = m_cy = height;
  Invalidate();
  if (raised) SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
}

void CFaqDlg::OnDestroy() {
  WriteSize(m_pSection, 'X', m_cx);
  WriteSize(m_pSection, 'Y', m_cy);
  CloseSettingsSection(m_pSection);
  m_pSection = nullptr;
  CDialog::OnDestroy();
}
