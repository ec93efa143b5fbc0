#include "app/PrefGrid.h"

#include <cstdlib>
#include <iterator>

#include "common/DialogHelp.h"
#include "grid/core/GXAppData.h"
#include "platform/window/Window.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "res/resource.h"

namespace {
// A few rows of a register for the sample: deposits and withdrawals.
const char* const kSampleRows[][4] = {{"01/05/08", "Dues", "", "2500"},   {"01/09/08", "Camp fee", "4000", ""},
                                      {"01/12/08", "Car wash", "", "9600"}, {"01/20/08", "Supplies", "1250", ""},
                                      {"02/02/08", "Popcorn", "", "31500"}, {"02/14/08", "Patches", "860", ""}};
}  // namespace

CPrefGrid::CPrefGrid() : CColourPage(IDD_PREF_GRID, GridColourNames, kGridColourNames) {}

void CPrefGrid::LoadValues() {
  m_bUseGrids = UseGridEntry ? 1 : 0;
  for (int i = 0; i < kGridColourCount; ++i) {
    m_working[i] = GridColours[i];
    m_defaults[i] = DefaultGridColours[i];
  }
  m_bChanged = 0;
}

void CPrefGrid::StoreValues() {
  UseGridEntry = m_bUseGrids;
  for (int i = 0; i < kGridColourCount; ++i) GridColours[i] = m_working[i];
}

void CPrefGrid::Refresh() {
  if (m_bInitialised) ShowElement();
  m_bChanged = 0;
}

// The sample grid's window takes the place kept for it in the template.
bool CPrefGrid::MakeSampleWindow() {
  CWnd* place = GetDlgItem(IDC_PREF_SAMPLE_GRID);
  if (place == nullptr) return false;
  CRect rect;
  place->GetWindowRect(&rect);
  ScreenToClient(&rect);
  place->DestroyWindow();
  if (!GXGetAppData()->m_bInitDone) GXInitLibrary();
  HWND grid = ::CreateWindowEx(0, "GXWND", "", WS_CHILD | WS_VISIBLE | WS_BORDER, rect.left, rect.top, rect.Width(),
                               rect.Height(), GetSafeHwnd(), reinterpret_cast<HMENU>(IDC_PREF_SAMPLE_GRID), nullptr,
                               nullptr);
  return grid != nullptr;
}

void CPrefGrid::ColourSample() {
  if (m_sample.GetSafeHwnd() == nullptr) return;
  const COLORREF* c = &m_working[m_nGrid * 5];
  m_sample.SetColorScheme(c[0], c[1], c[2], c[3], c[4]);
  m_sample.Redraw(2, TRUE);
}

void CPrefGrid::ShowElement() {
  ColourSample();
  SetParts(m_working[m_nGrid * 5 + m_nElement]);
  MatchName();
  if (Opened()) UpdateData(FALSE);
}

BOOL CPrefGrid::OnInitDialog() {
  CColourPage::OnInitDialog();
  InitColourControls();
  if (MakeSampleWindow() && m_sample.SubclassGridControl(IDC_PREF_SAMPLE_GRID, this)) {
    m_sample.SetSampleMode(TRUE);
    m_sample.SetRowCount(static_cast<ROWCOL>(std::size(kSampleRows)), 0);
    long balance = 0;
    for (ROWCOL r = 1; r <= m_sample.GetRowCount(); ++r) {
      const char* const* row = kSampleRows[r - 1];
      m_sample.SetValueRange(CGXRange(r, kColDate), row[0], 0, 0);
      m_sample.SetValueRange(CGXRange(r, kColDescription), row[1], 0, 0);
      m_sample.SetValueRange(CGXRange(r, kColWithdrawal), row[2], 0, 0);
      m_sample.SetValueRange(CGXRange(r, kColDeposit), row[3], 0, 0);
      balance += std::atol(row[3]) - std::atol(row[2]);
      CString text;
      text.Format("%ld", balance);
      m_sample.SetValueRange(CGXRange(r, kColBalance), text, 0, 0);
    }
    m_sample.GetParam()->SetReadOnlyGuard(TRUE);
    m_sample.SetReadOnly(TRUE);
    m_sample.EndLockedUpdate();
  }
  ShowElement();
  m_bChanged = 0;
  m_bInitialised = 1;
  return TRUE;
}

BOOL CPrefGrid::OnSetActive() {
  if (!CColourPage::OnSetActive()) return FALSE;
  if (m_bInitialised) ShowElement();
  return TRUE;
}

void CPrefGrid::DoDataExchange(CDataExchange* pDX) {
  CColourPage::DoDataExchange(pDX);
  DDX_Check(pDX, IDC_PREF_USE_GRIDS, m_bUseGrids);
  DDX_Radio(pDX, IDC_PREF_REGISTER_GRID, m_nGrid);
  DDX_Radio(pDX, IDC_PREF_HEADERS, m_nElement);
}

void CPrefGrid::OnColourChanged() {
  m_working[m_nGrid * 5 + m_nElement] = PartsColour();
  ColourSample();
}

BOOL CPrefGrid::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  if (DialogHelpCommand(wParam, DialogHelpContext(IDD_PREF_GRID))) return TRUE;
  if (m_bInitialised && code == BN_CLICKED) {
    switch (id) {
      case IDC_PREF_REGISTER_GRID:
      case IDC_PREF_SUPPORT_GRID:
      case IDC_PREF_HEADERS:
      case IDC_PREF_ODD_ROWS:
      case IDC_PREF_EVEN_ROWS:
      case IDC_PREF_CURRENT_ROW:
      case IDC_PREF_EDITED_ROW:
        UpdateData(TRUE);
        ShowElement();
        return TRUE;
      case IDC_PREF_GRID_DEFAULT:
        for (int i = m_nGrid * 5; i < m_nGrid * 5 + 5; ++i) {
          if (m_working[i] == m_defaults[i]) continue;
          m_working[i] = m_defaults[i];
          m_bChanged = 1;
        }
        ShowElement();
        return TRUE;
      case IDC_PREF_USE_GRIDS:
        m_bChanged = 1;
        break;
      default:
        break;
    }
  }
  return CColourPage::OnCommand(wParam, lParam);
}
