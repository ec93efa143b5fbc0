#include "platform/commdlg/FileDialog.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "platform/base/Codepage.h"
#include "platform/commdlg/CommDlgRun.h"
#include "platform/commdlg/FileSystemList.h"
#include "platform/window/CtlDefs.h"
#include "res/resource.h"

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)

namespace {

using namespace commdlg;

std::string currentFolder() {
  char buf[4096];
  if (::getcwd(buf, sizeof buf)) return Utf8ToCp1252(buf);
  return "/";
}

std::string trimmed(const CString& text) {
  std::string s(static_cast<LPCTSTR>(text));
  size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return {};
  return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

bool endsWithSeparator(const std::string& s) { return !s.empty() && (s.back() == '/' || s.back() == '\\'); }

// Where the name's extension starts (after the dot), npos when it has none.
// A leading dot names a hidden file, not an extension.
size_t extensionAt(const std::string& name) {
  size_t dot = name.rfind('.');
  return dot == std::string::npos || dot == 0 || dot + 1 == name.size() ? std::string::npos : dot + 1;
}

bool equalNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && MatchPattern(a, b) && !HasWildcard(b);
}

void copyText(char* dest, DWORD size, const std::string& text) {
  if (!dest || size == 0) return;
  size_t n = std::min<size_t>(text.size(), size - 1);
  std::memcpy(dest, text.data(), n);
  dest[n] = '\0';
}

}  // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CDialog(IDD_COMMDLG_FILE, pParentWnd), m_bOpenFileDialog(bOpenFileDialog) {
  m_ofn.Flags = dwFlags;
  m_ofn.lpstrFile = m_fileBuffer;
  m_ofn.nMaxFile = sizeof m_fileBuffer;
  m_ofn.lpstrFileTitle = m_titleBuffer;
  m_ofn.nMaxFileTitle = sizeof m_titleBuffer;
  if (lpszFileName) copyText(m_fileBuffer, sizeof m_fileBuffer, lpszFileName);
  if (lpszDefExt) {
    m_defExt = lpszDefExt;
    m_ofn.lpstrDefExt = m_defExt.c_str();
  }
  if (lpszFilter && *lpszFilter) {
    // The framework's "|" form becomes the parameter block's zero-separated one.
    for (const auto& [desc, pats] : ParseBarFilter(lpszFilter)) {
      m_filterZero += desc;
      m_filterZero += '\0';
      m_filterZero += pats;
      m_filterZero += '\0';
    }
    m_filterZero += '\0';
    m_ofn.lpstrFilter = m_filterZero.c_str();
  }
}

INT_PTR CFileDialog::DoModal() {
  SetExtendedError(0);
  if (!m_ofn.lpstrFile || m_ofn.nMaxFile == 0) {
    SetExtendedError(CDERR_INITIALIZATION);
    return IDCANCEL;
  }
  m_hookInitDone = false;
  return RunModal(*this, (m_ofn.Flags & OFN_ENABLETEMPLATE) ? m_ofn.lpTemplateName : nullptr, m_ofn.hwndOwner);
}

CString CFileDialog::GetPathName() const { return CString(m_ofn.lpstrFile ? m_ofn.lpstrFile : ""); }

CString CFileDialog::GetFileName() const {
  if (!m_ofn.lpstrFile) return CString();
  return CString(SplitPath(m_ofn.lpstrFile).second.c_str());
}

CString CFileDialog::GetFileExt() const {
  std::string name(static_cast<LPCTSTR>(GetFileName()));
  size_t at = extensionAt(name);
  return CString(at == std::string::npos ? "" : name.substr(at).c_str());
}

CString CFileDialog::GetFileTitle() const {
  std::string name(static_cast<LPCTSTR>(GetFileName()));
  size_t at = extensionAt(name);
  return CString(at == std::string::npos ? name.c_str() : name.substr(0, at - 1).c_str());
}

CString CFileDialog::GetFolderPath() const {
  if (!m_ofn.lpstrFile) return CString();
  return CString(SplitPath(m_ofn.lpstrFile).first.c_str());
}

LRESULT CFileDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const bool hooked = (m_ofn.Flags & OFN_ENABLEHOOK) && m_ofn.lpfnHook;
  if (message == WM_INITDIALOG) {
    // The dialog's own set-up runs first, so that the caller's hook and a
    // derived dialog's OnInitDialog find the lists filled and may change them.
    std::string typedName;
    SetWindowText(m_ofn.lpstrTitle ? m_ofn.lpstrTitle : (m_bOpenFileDialog ? "Open" : "Save As"));
    m_filters = ParseZeroFilter(m_ofn.lpstrFilter);
    for (const auto& f : m_filters) SendDlgItemMessage(cmb1, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f.first.c_str()));
    int index = m_ofn.nFilterIndex ? static_cast<int>(m_ofn.nFilterIndex) - 1 : 0;
    if (index >= static_cast<int>(m_filters.size())) index = 0;
    if (!m_filters.empty()) {
      m_patterns = m_filters[index].second;
      SendDlgItemMessage(cmb1, CB_SETCURSEL, index, 0);
      m_ofn.nFilterIndex = index + 1;
    }
    SendDlgItemMessage(cmb2, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("/"));
    SendDlgItemMessage(cmb2, CB_SETCURSEL, 0, 0);

    // The initial folder: the folder part of the given name, else the
    // initial folder, else the working folder; the nearest readable one.
    std::string start = currentFolder();
    if (m_ofn.lpstrInitialDir && *m_ofn.lpstrInitialDir) start = ResolvePath(start, m_ofn.lpstrInitialDir);
    std::string given = m_ofn.lpstrFile ? m_ofn.lpstrFile : "";
    if (given.find_first_of("/\\") != std::string::npos) {
      std::string resolved = ResolvePath(start, given);
      if (endsWithSeparator(given) || KindOf(resolved) == PathKind::Folder) {
        start = resolved;
      } else {
        auto [folder, name] = SplitPath(resolved);
        start = folder;
        typedName = name;
      }
    } else {
      typedName = given;
    }
    if (HasWildcard(typedName)) m_patterns = typedName;
    while (!ShowFolder(start, false) && start != "/") start = ParentOf(start);
    SetDlgItemText(edt1, typedName.empty() ? m_patterns.c_str() : typedName.c_str());

    if ((m_ofn.Flags & OFN_HIDEREADONLY) && GetDlgItem(chx1)) GetDlgItem(chx1)->ShowWindow(SW_HIDE);
    CheckDlgButton(chx1, (m_ofn.Flags & OFN_READONLY) ? BST_CHECKED : BST_UNCHECKED);
    if (!(m_ofn.Flags & OFN_SHOWHELP) && GetDlgItem(pshHelp)) GetDlgItem(pshHelp)->ShowWindow(SW_HIDE);
    if (hooked && !m_hookInitDone) {
      m_hookInitDone = true;
      m_ofn.lpfnHook(m_hWnd, WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(&m_ofn));
    }
    return CDialog::WindowProc(message, wParam, lParam);
  }
  if (hooked) {
    if (UINT_PTR r = m_ofn.lpfnHook(m_hWnd, message, wParam, lParam)) return static_cast<LRESULT>(r);
  }
  return CDialog::WindowProc(message, wParam, lParam);
}

BOOL CFileDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  CWnd* edit = GetDlgItem(edt1);
  if (edit && edit->IsWindowVisible()) {
    GotoDlgCtrl(edit);
    return FALSE;
  }
  return TRUE;
}

bool CFileDialog::ShowFolder(std::string folder, bool report) {
  FolderListing listing = ListFolder(folder, m_patterns);
  if (listing.error) {
    if (report) {
      ShowMessage(folder + "\nThis folder cannot be opened: " + std::strerror(listing.error) + ".");
      // The folder shown may have gone as well: show the nearest one left.
      std::string here = m_folder.empty() ? std::string("/") : m_folder;
      while (here != "/" && ListFolder(here, m_patterns).error) here = ParentOf(here);
      if (here != folder) ShowFolder(here, false);
    }
    return false;
  }
  m_folder = folder;
  SetDlgItemText(stc1, folder.c_str());

  SendDlgItemMessage(lst1, LB_RESETCONTENT);
  for (const std::string& f : listing.files) SendDlgItemMessage(lst1, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f.c_str()));

  // The folder list: the folders from the root down to this one, each
  // indented one step more, then this folder's own folders below it.
  m_folderEntries.clear();
  std::vector<std::string> chain;
  for (std::string p = folder;; p = ParentOf(p)) {
    chain.insert(chain.begin(), p);
    if (p == "/" || p == ".") break;
  }
  SendDlgItemMessage(lst2, LB_RESETCONTENT);
  auto add = [&](size_t depth, const std::string& text, const std::string& path) {
    std::string shown(depth * 2, ' ');
    shown += text;
    SendDlgItemMessage(lst2, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
    m_folderEntries.push_back(path);
  };
  for (size_t i = 0; i < chain.size(); ++i) add(i, i == 0 ? chain[i] : SplitPath(chain[i]).second, chain[i]);
  m_currentEntry = static_cast<int>(chain.size()) - 1;
  for (const std::string& f : listing.folders) add(chain.size(), f, JoinName(folder, f));
  SendDlgItemMessage(lst2, LB_SETCURSEL, m_currentEntry, 0);
  return true;
}

void CFileDialog::SelectFilter(int index) {
  if (index < 0 || index >= static_cast<int>(m_filters.size())) return;
  m_patterns = m_filters[index].second;
  m_ofn.nFilterIndex = index + 1;
  CString typed;
  GetDlgItemText(edt1, typed);
  if (trimmed(typed).empty() || HasWildcard(trimmed(typed))) SetDlgItemText(edt1, m_patterns.c_str());
  ShowFolder(m_folder, true);
}

void CFileDialog::OnFolderChosen(int item) {
  if (item < 0 || item >= static_cast<int>(m_folderEntries.size())) return;
  ShowFolder(m_folderEntries[item], true);
}

BOOL CFileDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  if (lParam) {
    if (id == lst1 && (code == LBN_SELCHANGE || code == LBN_DBLCLK)) {
      int sel = static_cast<int>(SendDlgItemMessage(lst1, LB_GETCURSEL));
      if (sel >= 0) {
        char name[260];
        if (SendDlgItemMessage(lst1, LB_GETTEXTLEN, sel) < static_cast<LRESULT>(sizeof name)) {
          SendDlgItemMessage(lst1, LB_GETTEXT, sel, reinterpret_cast<LPARAM>(name));
          SetDlgItemText(edt1, name);
        }
        if (code == LBN_DBLCLK) OnOK();
      }
      return TRUE;
    }
    if (id == lst2 && code == LBN_DBLCLK) {
      OnFolderChosen(static_cast<int>(SendDlgItemMessage(lst2, LB_GETCURSEL)));
      return TRUE;
    }
    if (id == cmb1 && code == CBN_SELCHANGE) {
      SelectFilter(static_cast<int>(SendDlgItemMessage(cmb1, CB_GETCURSEL)));
      return TRUE;
    }
    if (id == cmb2 && code == CBN_SELCHANGE) {
      ShowFolder("/", true);
      return TRUE;
    }
    if (id == pshHelp && code == BN_CLICKED) {
      HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
      if (owner) ::SendMessage(owner, ::RegisterWindowMessage(HELPMSGSTRING), reinterpret_cast<WPARAM>(m_hWnd),
                               reinterpret_cast<LPARAM>(&m_ofn));
      return TRUE;
    }
  }
  return CDialog::OnCommand(wParam, lParam);
}

void CFileDialog::OnOK() {
  // Enter in the folder list opens the folder chosen there.
  HWND focus = ::GetFocus();
  CWnd* folders = GetDlgItem(lst2);
  if (folders && focus == folders->m_hWnd) {
    int sel = static_cast<int>(SendDlgItemMessage(lst2, LB_GETCURSEL));
    if (sel >= 0 && sel != m_currentEntry) {
      OnFolderChosen(sel);
      return;
    }
  }
  CString text;
  GetDlgItemText(edt1, text);
  std::string typed = trimmed(text);
  if (typed.empty()) {
    ::MessageBeep(0);
    return;
  }
  AcceptTyped(typed);
}

void CFileDialog::AcceptTyped(const std::string& typed) {
  const size_t cut = typed.find_last_of("/\\");
  const std::string last = cut == std::string::npos ? typed : typed.substr(cut + 1);
  // A pattern: show the files it matches, in its folder when it names one.
  if (HasWildcard(last)) {
    std::string folder = m_folder;
    if (cut != std::string::npos) {
      folder = ResolvePath(m_folder, typed.substr(0, cut + 1));
      if (KindOf(folder) != PathKind::Folder) {
        ShowMessage(folder + "\nThis folder does not exist.\nCheck the path and try again.");
        return;
      }
    }
    const std::string before = m_patterns;
    m_patterns = last;
    if (!ShowFolder(folder, true)) m_patterns = before;
    SetDlgItemText(edt1, m_patterns.c_str());
    return;
  }
  std::string path = ResolvePath(m_folder, typed);
  const PathKind kind = KindOf(path);
  // A folder: go there.
  if (kind == PathKind::Folder || endsWithSeparator(typed)) {
    if (kind != PathKind::Folder)
      ShowMessage(path + "\nThis folder does not exist.\nCheck the path and try again.");
    else if (ShowFolder(path, true))
      SetDlgItemText(edt1, m_patterns.c_str());
    return;
  }
  auto [folder, name] = SplitPath(path);
  const PathKind folderKind = KindOf(folder);
  if (folderKind != PathKind::Folder && (m_ofn.Flags & OFN_PATHMUSTEXIST)) {
    ShowMessage(folder + "\nThis folder does not exist.\nCheck the path and try again.");
    return;
  }
  // The default extension goes to a name without one; when opening, a file
  // of the name as typed still wins.
  const std::string defExt = m_ofn.lpstrDefExt ? m_ofn.lpstrDefExt : "";
  if (!defExt.empty() && extensionAt(name) == std::string::npos &&
      !(m_bOpenFileDialog && kind == PathKind::File)) {
    path += "." + defExt;
  }
  const PathKind target = KindOf(path);
  if (m_bOpenFileDialog) {
    if ((m_ofn.Flags & OFN_FILEMUSTEXIST) && target != PathKind::File) {
      ShowMessage(path + "\nFile not found.\nCheck the file name and try again.");
      ShowFolder(m_folder, false);  // the file may have gone since the list was made
      return;
    }
  } else {
    if (target == PathKind::Missing && (m_ofn.Flags & OFN_CREATEPROMPT) &&
        Ask(path + "\nThis file does not exist.\nDo you want to create it?") != IDYES)
      return;
    if (target == PathKind::File && (m_ofn.Flags & OFN_NOREADONLYRETURN) && !IsWritable(path)) {
      ShowMessage(path + "\nThis file is read-only.\nUse a different file name.");
      return;
    }
    if (target == PathKind::File && (m_ofn.Flags & OFN_OVERWRITEPROMPT) &&
        Ask(path + " already exists.\nDo you want to replace it?") != IDYES)
      return;
  }
  if (m_bOpenFileDialog && target == PathKind::File && (m_ofn.Flags & OFN_NOREADONLYRETURN) && !IsWritable(path)) {
    ShowMessage(path + "\nThis file is read-only.\nChoose another file.");
    return;
  }
  if (target == PathKind::Folder || target == PathKind::Other) {
    ShowMessage(path + "\nThis is not a file.\nChoose a file.");
    return;
  }
  ReturnPath(path);
}

void CFileDialog::ReturnPath(const std::string& path) {
  if (path.size() + 1 > m_ofn.nMaxFile) {
    // The caller's buffer is too small: its first two bytes tell the size
    // the path needs, and the dialog ends without a path.
    if (m_ofn.nMaxFile >= 2) {
      const size_t need = path.size() + 1;
      m_ofn.lpstrFile[0] = static_cast<char>(need & 0xFF);
      m_ofn.lpstrFile[1] = static_cast<char>((need >> 8) & 0xFF);
    }
    EndDialog(IDCANCEL);
    SetExtendedError(FNERR_BUFFERTOOSMALL);
    return;
  }
  const auto [folder, name] = SplitPath(path);
  copyText(m_ofn.lpstrFile, m_ofn.nMaxFile, path);
  const size_t nameAt = path.size() - name.size();
  const size_t extAt = extensionAt(name);
  m_ofn.nFileOffset = static_cast<WORD>(nameAt);
  m_ofn.nFileExtension = static_cast<WORD>(extAt == std::string::npos ? 0 : nameAt + extAt);
  copyText(m_ofn.lpstrFileTitle, m_ofn.nMaxFileTitle, name);
  if (IsDlgButtonChecked(chx1) == BST_CHECKED) m_ofn.Flags |= OFN_READONLY;
  else m_ofn.Flags &= ~static_cast<DWORD>(OFN_READONLY);
  const std::string defExt = m_ofn.lpstrDefExt ? m_ofn.lpstrDefExt : "";
  const bool differs = !defExt.empty() && !equalNoCase(extAt == std::string::npos ? "" : name.substr(extAt), defExt);
  if (differs) m_ofn.Flags |= OFN_EXTENSIONDIFFERENT;
  else m_ofn.Flags &= ~static_cast<DWORD>(OFN_EXTENSIONDIFFERENT);
  if (OnFileNameOK()) return;
  EndDialog(IDOK);
}

BOOL CFileDialog::OnFileNameOK() { return FALSE; }

void CFileDialog::ShowMessage(const std::string& text, UINT type) {
  CString caption;
  GetWindowText(caption);
  ::MessageBox(m_hWnd, text.c_str(), caption, type);
}

int CFileDialog::Ask(const std::string& text) {
  CString caption;
  GetWindowText(caption);
  return ::MessageBox(m_hWnd, text.c_str(), caption, MB_YESNO | MB_ICONEXCLAMATION);
}

namespace {
BOOL runFileDialog(LPOPENFILENAME ofn, BOOL open) {
  if (!ofn || ofn->lStructSize != sizeof(OPENFILENAME)) {
    SetExtendedError(CDERR_STRUCTSIZE);
    return FALSE;
  }
  CFileDialog dlg(open);
  dlg.m_ofn = *ofn;
  INT_PTR r = dlg.DoModal();
  const DWORD error = CommDlgExtendedError();
  ofn->Flags = dlg.m_ofn.Flags;
  ofn->nFileOffset = dlg.m_ofn.nFileOffset;
  ofn->nFileExtension = dlg.m_ofn.nFileExtension;
  ofn->nFilterIndex = dlg.m_ofn.nFilterIndex;
  SetExtendedError(error);
  return r == IDOK;
}
}  // namespace

BOOL GetOpenFileName(LPOPENFILENAME ofn) { return runFileDialog(ofn, TRUE); }
BOOL GetSaveFileName(LPOPENFILENAME ofn) { return runFileDialog(ofn, FALSE); }
