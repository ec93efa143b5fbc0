// The grid's cell controls: one per control id, made on first use, and the
// veto points and notifications the controls report through.
#include "grid/cells/GXControl.h"
#include "grid/cells/GXControlFactory.h"
#include "grid/core/GXAppData.h"
#include "grid/core/GXGridCore.h"

BOOL CGXGridCore::OnLeftClickedCell(ROWCOL row, ROWCOL col, UINT flags, CPoint point) {
  return m_pUserSelectRangeImp != nullptr && m_pUserSelectRangeImp->OnLButtonClickedRowCol(this, row, col, flags, point);
}
BOOL CGXGridCore::OnMiddleClickedCell(ROWCOL, ROWCOL, UINT, CPoint) { return FALSE; }
BOOL CGXGridCore::OnRightClickedCell(ROWCOL, ROWCOL, UINT, CPoint) { return FALSE; }
BOOL CGXGridCore::OnLeftDblClkCell(ROWCOL row, ROWCOL col, UINT flags, CPoint point) {
  return m_pSortClickImp != nullptr && m_pSortClickImp->OnLButtonDblClkRowCol(this, row, col, flags, point);
}
BOOL CGXGridCore::OnMiddleDblClkCell(ROWCOL, ROWCOL, UINT, CPoint) { return FALSE; }
BOOL CGXGridCore::OnRightDblClkCell(ROWCOL, ROWCOL, UINT, CPoint) { return FALSE; }
BOOL CGXGridCore::OnMouseOverCell(ROWCOL, ROWCOL, UINT, CPoint) { return FALSE; }

std::vector<CGXControl*> CGXGridCore::RegisteredControls() const {
  std::vector<CGXControl*> all;
  for (const auto& [id, control] : controls_)
    if (control != nullptr) all.push_back(control);
  return all;
}

void CGXGridCore::RegisterControl(WORD id, CGXControl* control) {
  auto it = controls_.find(id);
  if (it != controls_.end() && it->second == control) return;
  controls_[id] = control;
  if (control != nullptr) AddAutoDelete(control);
}

CGXControl* CGXGridCore::GetRegisteredControl(WORD id) {
  if (id == 0) return defaultControl_;
  auto it = controls_.find(id);
  if (it != controls_.end()) return it->second;
  auto* factory = dynamic_cast<CGXControlFactory*>(GXGetAppData()->m_pControlFactory);
  if (factory == nullptr) return defaultControl_;
  CGXControl* control = factory->CreateControl(id, this);
  // An id the factory cannot make stays unregistered, so the grid falls
  // back on its default control each time it is asked.
  if (control == nullptr) return defaultControl_;
  RegisterControl(id, control);
  return control;
}

void CGXGridCore::EnableFactoryFeatures() {
  auto* factory = dynamic_cast<CGXControlFactory*>(GXGetAppData()->m_pControlFactory);
  if (factory != nullptr && !m_bInitDone) factory->EnableGridFeatures(this);
}

void CGXGridCore::RegisterDefaultControl() {
  auto* factory = dynamic_cast<CGXControlFactory*>(GXGetAppData()->m_pControlFactory);
  if (factory == nullptr) return;
  const WORD id = GetStandardStyle().GetControl();
  if (CGXControl* control = factory->CreateControl(id, this)) {
    RegisterControl(id, control);
    defaultControl_ = control;
  }
}
