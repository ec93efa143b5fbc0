#include "reports/RptFonts.h"

#include <cstring>

#include "common/DlgUtil.h"
#include "common/Messages.h"
#include "reports/MailLabel.h"

namespace {

struct FontRow {
  float factor;
  int weight;
};
const FontRow kFonts[kRptFontCount] = {{0.8f, 700}, {1.0f, 700}, {1.0f, 400}, {1.5f, 700}, {1.0f, 400}};

struct PenRow {
  int style;
  int width;
};
const PenRow kPens[kRptPenCount] = {{PS_SOLID, 3}, {PS_SOLID, 1}, {PS_DOT, 1}, {PS_DOT, 1}};

}  // namespace

int CreateRptFonts(RptContext* c, int a) { return CreateRptFonts(c, a, ThePrintSetup); }

int CreateRptFonts(RptContext* c, int a, const PrintSetupRecord& setup) {
  float paperWidth = setup.pageWidth > 0 ? setup.pageWidth : 8.5f;
  float paperHeight = setup.pageHeight > 0 ? setup.pageHeight : 11.0f;
  if (c->labelFlag) {
    const MailLabelDef& sheet = CurrentMailLabel.Definition();
    if (sheet.pageWidth > 0 && sheet.pageHeight > 0) {
      paperWidth = sheet.pageWidth;
      paperHeight = sheet.pageHeight;
    }
  }
  c->paperWidth = paperWidth;
  c->paperHeight = paperHeight;
  c->scale = a;
  const int W = static_cast<int>(a * paperWidth);
  const int H = static_cast<int>(a * paperHeight);
  c->originX = static_cast<int>((c->leftMargin - setup.unprintableLeft) * a);
  c->originY = static_cast<int>((c->topMargin - setup.unprintableTop) * a);
  c->rightOffset = static_cast<int>((c->rightMargin - setup.unprintableRight) * a);
  c->bottomOffset = static_cast<int>((c->bottomMargin - setup.unprintableBottom) * a);
  c->usableWidth = W - a * (c->leftMargin + c->rightMargin);
  c->pageHeight = H - a * (c->topMargin + c->bottomMargin);
  c->remaining = c->pageHeight;

  bool pensOk = true;
  for (int i = 0; i < kRptPenCount; ++i) {
    if (c->penMade[i]) c->pens[i].DeleteObject();
    c->penWidth[i] = kPens[i].width;
    c->penMade[i] = 1;
    if (!c->pens[i].CreatePen(kPens[i].style, kPens[i].width, RGB(0, 0, 0))) {
      c->penMade[i] = 0;
      pensOk = false;
    }
  }
  if (!pensOk) {
    DispMessage("Pen creation failed", MSG_ERROR);
    return 0;
  }

  const int baseSize = c->baseSize > 0 ? c->baseSize : 10;
  const int lines = static_cast<int>(paperHeight * 72 / baseSize);
  for (int i = 0; i < kRptFontCount; ++i) {
    if (c->fontMade[i]) c->fonts[i].DeleteObject();
    float height = a / 100.0f + (lines > 0 ? H * kFonts[i].factor / lines : 0);
    LOGFONT font = c->fontSpecs[RPT_FONT_BODY];
    font.lfHeight = -static_cast<int>(height);
    font.lfWidth = 0;
    font.lfWeight = kFonts[i].weight;
    height += -font.lfHeight > 6 ? a * 1.3f / 100 : a * 1.5f / 100;
    c->fontHeight[i] = height;
    c->fontMade[i] = 1;
    if (!c->fonts[i].CreateFontIndirect(&font)) {
      c->fontMade[i] = 0;
      DispMessage("Font creation failed", MSG_ERROR);
      return 0;
    }
  }
  return 1;
}

int DeleteRptFonts(RptContext* c) {
  if (c == nullptr) return 1;
  int result = 1;
  for (int i = 0; i < kRptFontCount; ++i) {
    if (!c->fontMade[i]) continue;
    if (!c->fonts[i].DeleteObject()) {
      DispMessage("Font deletion failed", MSG_ERROR);
      result = 0;
    }
    c->fontMade[i] = 0;
  }
  for (int i = 0; i < kRptPenCount; ++i) {
    if (!c->penMade[i]) continue;
    if (!c->pens[i].DeleteObject()) {
      DispMessage("Pen deletion failed", MSG_ERROR);
      result = 0;
    }
    c->penMade[i] = 0;
  }
  return result;
}
