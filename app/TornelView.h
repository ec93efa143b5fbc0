// The main view: paints the background (colour, picture and the unit's
// name), runs the first-paint step once, and handles every menu command.
#pragma once

#include "platform/framework/View.h"
#include "platform/gfx/GdiObject.h"


class CTornelView : public CView {
  DECLARE_DYNCREATE(CTornelView)
 public:
  CTornelView();
  ~CTornelView() override;

  void OnInitialUpdate() override;
  void OnDraw(CDC* dc) override;
  // Drops the background picture so that the next paint loads it again.
  void ResetBackground();

 protected:
  BOOL OnEraseBkgnd(CDC* dc) override;
  void OnDestroy() override;
  void RunFirstPaintStep();
  void DrawBackgroundPicture(CDC* dc);

  // Commands.
  void OnFileOpenYear();
  void OnFileDeleteYear();
  void OnEditIntegrity();
  void OnUnitInformation();
  void OnUpdateUnitInformation(CCmdUI* ui);
  void OnToolsNotepad();
  void OnToolsCalculator();
  void OnToolsCalendar();
  void OnUpdateNotepad(CCmdUI* ui);
  void OnUpdateCalculator(CCmdUI* ui);
  void OnUpdateCalendar(CCmdUI* ui);
  void OnHelpTopics();
  void OnHelpTip();
  void OnUpdateHelpTip(CCmdUI* ui);
  void OnHelpFaqs();
  void OnUpdateHelpFaqs(CCmdUI* ui);
  void OnHelpManual();
  // Commands whose dialogs, reports or operations are not part of the
  // program yet: their handlers exist and their update handlers disable them.
  void OnUnavailable(UINT id);
  void OnUpdateUnavailable(CCmdUI* ui);

  DECLARE_MESSAGE_MAP()

 private:
  CBitmap* picture_ = nullptr;
  int savedLeft_ = 0, savedTop_ = 0, savedRight_ = 0, savedBottom_ = 0;
};
