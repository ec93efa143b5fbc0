#include "wizard/WizardSheet.h"

#include "platform/framework/CWinApp.h"
#include "platform/framework/WindowDc.h"
#include "platform/window/CtlDefs.h"
#include "res/resource.h"
#include "wizard/Conversion.h"
#include "wizard/FolderPicker.h"


// ---- CWizPage ----------------------------------------------------------------

CWizPage::CWizPage(UINT templateId, int slot) : CPropertyPage(templateId), slot_(slot) {
  m_psp.dwFlags &= ~PSP_HASHELP;
}

BOOL CWizPage::OnInitDialog() {
  BOOL result = CPropertyPage::OnInitDialog();
  // Only the browse buttons are owner-drawn on the wizard's templates.
  browseButtons_.clear();
  for (HWND hwnd = ::GetWindow(m_hWnd, GW_CHILD); hwnd; hwnd = ::GetWindow(hwnd, GW_HWNDNEXT)) {
    if ((::GetWindowLong(hwnd, GWL_STYLE) & BS_TYPEMASK) != BS_OWNERDRAW) continue;
    auto button = std::make_unique<CBmpButton>();
    if (!button->SubclassDlgItem(static_cast<UINT>(::GetDlgCtrlID(hwnd)), this)) continue;
    button->SetBitmapNames("BROWSEU", "BROWSED", "BROWSEF", "BROWSEX");
    browseButtons_.push_back(std::move(button));
  }
  return result;
}

CMovraneDlg& CWizPage::Sheet() const { return *static_cast<CMovraneDlg*>(GetParent()); }

CConversion& CWizPage::Job() const { return Sheet().Job(); }

BOOL CWizPage::OnSetActive() {
  if (!CPropertyPage::OnSetActive()) return FALSE;
  CMovraneDlg& sheet = Sheet();
  const WizardButtons offered = sheet.Flow().ButtonsFor(slot_);
  sheet.SetWizardButtons((offered.back ? PSWIZB_BACK : 0) | (offered.next ? PSWIZB_NEXT : 0) |
                         (offered.finish ? PSWIZB_FINISH : 0));
  CWnd* cancel = sheet.GetDlgItem(IDCANCEL);
  if (cancel && (cancel->IsWindowVisible() != FALSE) != offered.cancel)
    cancel->ShowWindow(offered.cancel ? SW_SHOW : SW_HIDE);
  Load();
  return TRUE;
}

LRESULT CWizPage::OnWizardNext() { return Save() ? Sheet().GetNextPageId() : -1; }

LRESULT CWizPage::OnWizardBack() { return Sheet().GetPrevPageId(); }

void CWizPage::SetTitle(const std::string& text) {
  CMovraneDlg& sheet = Sheet();
  CTabCtrl* tab = sheet.GetTabControl();
  if (!tab) return;
  std::string cut = text.substr(0, 63);
  TCITEM item{};
  item.mask = TCIF_TEXT;
  item.pszText = cut.data();
  tab->SetItem(sheet.GetPageIndex(this), &item);
}

void CWizPage::SetText(int id, const std::string& text) { SetDlgItemText(id, text.c_str()); }

std::string CWizPage::GetText(int id) const {
  CString text;
  GetDlgItemText(id, text);
  return std::string(static_cast<LPCTSTR>(text));
}

void CWizPage::Browse(const std::string& title, int editId) {
  FolderPicker* picker = Sheet().Picker();
  if (!picker) return;
  std::string folder = GetText(editId);
  if (picker->PickFolder(this, title, folder)) SetText(editId, folder);
}

void CWizPage::EnableBrowse(int buttonId, bool enable) {
  if (CWnd* button = GetDlgItem(buttonId)) button->EnableWindow(enable && Sheet().Picker() != nullptr);
}

// ---- CMovraneDlg -------------------------------------------------------------

CMovraneDlg::CMovraneDlg(CConversion& job, FolderPicker* picker)
    : CPropertySheet("Conversion Wizard", nullptr, 0), job_(job), picker_(picker) {
  icon_ = ::LoadIcon(nullptr, MAKEINTRESOURCE(IDI_WIZ_PROGRAM));
  for (int slot = 0; slot < kSlotCount; ++slot) {
    pages_[static_cast<std::size_t>(slot)] = MakeWizardPage(slot);
    AddPage(pages_[static_cast<std::size_t>(slot)].get());
  }
  SetWizardMode();
}

CMovraneDlg::~CMovraneDlg() {
  if (m_hWnd) DestroyWindow();
}

BOOL CMovraneDlg::OnInitDialog() {
  flow_.InitFromJob(job_);
  m_psh.nStartPage = static_cast<UINT>(flow_.GetFirstPage());
  BOOL result = CPropertySheet::OnInitDialog();
  SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
  if (CWnd* help = GetDlgItem(IDHELP)) help->ShowWindow(SW_HIDE);
  return result;
}

void CMovraneDlg::OnPaint() {
  if (!IsIconic()) {
    CPropertySheet::OnPaint();
    return;
  }
  CPaintDC dc(this);
  RECT client{};
  GetClientRect(&client);
  dc.FillSolidRect(&client, ::GetSysColor(COLOR_3DFACE));
  const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
  const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
  ::DrawIcon(dc.GetSafeHdc(), x, y, icon_);
}

LRESULT CMovraneDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_QUERYDRAGICON) return reinterpret_cast<LRESULT>(OnQueryDragIcon());
  return CPropertySheet::WindowProc(message, wParam, lParam);
}

int CMovraneDlg::ActiveSlot() const {
  auto* page = static_cast<CWizPage*>(GetActivePage());
  return page ? page->Slot() : flow_.GetFirstPage();
}

LRESULT CMovraneDlg::GetNextPageId() const { return Page(flow_.GetNextPage(ActiveSlot()))->TemplateId(); }

LRESULT CMovraneDlg::GetPrevPageId() const { return Page(flow_.GetPrevPage(ActiveSlot()))->TemplateId(); }

void RunWizard(CConversion& job, FolderPicker* picker) {
  {
    CMovraneDlg sheet(job, picker);
    CWinApp* app = AfxGetApp();
    if (app) app->m_pMainWnd = &sheet;
    if (sheet.DoModal() != ID_WIZFINISH) job.SetStatus(kStatusCancelled);
    if (app) app->m_pMainWnd = nullptr;
  }
  job.WriteStatusFile();
}
