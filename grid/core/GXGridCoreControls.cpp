// The grid's cell controls: one per control id, made on first use, and the
// veto points and notifications the controls report through.
#include <algorithm>

#include "grid/cells/GXControl.h"
#include "grid/cells/GXControlFactory.h"
#include "grid/core/GXAppData.h"
#include "grid/core/GXGridCore.h"
#include "grid/core/GXStylesMap.h"

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

void CGXGridCore::RegisterControl(WORD id, CGXControl* control, BOOL makeDefault, BOOL addName) {
  auto it = controls_.find(id);
  if (it != controls_.end() && it->second != control && it->second != nullptr) {
    CGXControl* old = it->second;
    // The replaced control may still be remembered as the current cell's
    // or as the default control; neither may point at it once it is gone.
    if (m_pCurrentCellControl == old) m_pCurrentCellControl = nullptr;
    if (defaultControl_ == old) defaultControl_ = nullptr;
    it->second = nullptr;
    bool elsewhere = false;
    for (const auto& [otherId, other] : controls_) elsewhere = elsewhere || other == old;
    if (!elsewhere) delete old;
  }
  controls_[id] = control;
  if (addName && m_pParam != nullptr && m_pParam->GetStylesMap() != nullptr) m_pParam->GetStylesMap()->AddControl(id);
  if (control != nullptr && (makeDefault || defaultControl_ == nullptr)) defaultControl_ = control;
}

void CGXGridCore::DeleteRegisteredControls() {
  std::vector<CGXControl*> owned;
  for (auto& [id, control] : controls_) {
    if (control != nullptr && std::find(owned.begin(), owned.end(), control) == owned.end()) owned.push_back(control);
    control = nullptr;
  }
  controls_.clear();
  defaultControl_ = nullptr;
  m_pCurrentCellControl = nullptr;
  for (CGXControl* control : owned) delete control;
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
  RegisterControl(id, control, FALSE, FALSE);
  return control;
}

void CGXGridCore::EnableFactoryFeatures() {
  auto* factory = dynamic_cast<CGXControlFactory*>(GXGetAppData()->m_pControlFactory);
  if (factory == nullptr || m_bInitDone || m_bFactoryFeaturesDone) return;
  m_bFactoryFeaturesDone = TRUE;
  factory->EnableGridFeatures(this);
}

void CGXGridCore::RegisterDefaultControl() {
  auto* factory = dynamic_cast<CGXControlFactory*>(GXGetAppData()->m_pControlFactory);
  if (factory == nullptr) return;
  const WORD id = GetStandardStyle().GetControl();
  if (CGXControl* control = factory->CreateControl(id, this)) RegisterControl(id, control, TRUE, FALSE);
}
