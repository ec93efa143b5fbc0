#include "app/PrefGrid.h"

#include "common/DialogHelp.h"
#include "platform/dialogs/DataExchange.h"
#include "platform/window/CtlDefs.h"
#include "platform/window/Messages.h"
#include "res/resource.h"

// The sample register grid in IDC_PREF_SAMPLE_GRID, coloured with the
// selected grid's working colours, comes with the register grid itself.

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

void CPrefGrid::ShowElement() {
  SetParts(m_working[m_nGrid * 5 + m_nElement]);
  MatchName();
  if (Opened()) UpdateData(FALSE);
}

BOOL CPrefGrid::OnInitDialog() {
  CColourPage::OnInitDialog();
  InitColourControls();
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

void CPrefGrid::OnColourChanged() { m_working[m_nGrid * 5 + m_nElement] = PartsColour(); }

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
