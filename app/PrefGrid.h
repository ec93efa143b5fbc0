// The Transaction Grids page of the Preferences sheet: grid or form for
// transaction entry, and the five element colours of the account register
// grid and of the support-account grid.
#pragma once

#include "app/PrefColours.h"
#include "app/Preferences.h"
#include "registers/TransGrid.h"

class CPrefGrid : public CColourPage {
 public:
  CPrefGrid();

  void LoadValues() override;
  void StoreValues() override;
  void Refresh() override;

  int m_bUseGrids = 1;
  int m_nGrid = 0;     // 0 account register, 1 support accounts
  int m_nElement = 0;  // 0 headers, 1 odd rows, 2 even rows, 3 current row, 4 edited row
  COLORREF m_working[kGridColourCount] = {};
  COLORREF m_defaults[kGridColourCount] = {};

 protected:
  BOOL OnInitDialog() override;
  BOOL OnSetActive() override;
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnColourChanged() override;

 private:
  // Shows the selected element's working colour in the parts and the name.
  void ShowElement();
  // Paints the sample grid in the selected grid's working colours.
  void ColourSample();
  bool MakeSampleWindow();

  CTransGrid m_sample;
};
