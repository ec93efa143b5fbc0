#include "common/PrintSettings.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "common/DlgUtil.h"
#include "common/Settings.h"

namespace {

struct PrintValues {
  char face[256];
  int size;
  int weight;
  int italic;
  int portrait;
  float margins[4];  // left, right, top, bottom
};

const char kMarginKeys[4] = {'F', 'G', 'H', 'I'};

SettingsSection* OpenPage(int page) {
  char name[16];
  if (page == 0) std::snprintf(name, sizeof name, "PRINT");
  else std::snprintf(name, sizeof name, "PAGE%d", page);
  return OpenSettingsSection(SettingsFileName, name);
}

void ReadSection(SettingsSection* s, PrintValues& v, bool withOrientation) {
  char face[256];
  GetSettingText(s, 'A', v.face, face);
  std::snprintf(v.face, sizeof v.face, "%s", face);
  v.size = GetSettingInt(s, 'B', v.size);
  v.weight = GetSettingInt(s, 'C', v.weight);
  v.italic = GetSettingFlag(s, 'D', v.italic) ? 1 : 0;
  if (withOrientation) v.portrait = GetSettingFlag(s, 'E', v.portrait) ? 1 : 0;
  for (int i = 0; i < 4; ++i) v.margins[i] = GetSettingFloat(s, kMarginKeys[i], v.margins[i]);
}

PrintValues Defaults(int portrait) {
  PrintValues v{};
  std::snprintf(v.face, sizeof v.face, "%s", kPrintDefaultFace);
  v.size = kPrintDefaultSize;
  v.weight = kPrintDefaultWeight;
  v.italic = 0;
  v.portrait = portrait ? 1 : 0;
  v.margins[0] = kPrintDefaultLeft;
  v.margins[1] = kPrintDefaultRight;
  v.margins[2] = kPrintDefaultTop;
  v.margins[3] = kPrintDefaultBottom;
  return v;
}

void RaiseToPrinter(PrintValues& v) {
  EnsurePrintSetup();
  const float borders[4] = {ThePrintSetup.unprintableLeft, ThePrintSetup.unprintableRight,
                            ThePrintSetup.unprintableTop, ThePrintSetup.unprintableBottom};
  for (int i = 0; i < 4; ++i)
    if (v.margins[i] < borders[i]) v.margins[i] = borders[i];
}

bool SameFloat(float a, float b) { return std::fabs(a - b) < 0.000001f; }

}  // namespace

void GetPrintSettings(int page, int defaultPortrait, char* face, size_t faceSize, int* size, int* weight,
                      int* italic, int* portrait, float* left, float* right, float* top, float* bottom) {
  PrintValues v = Defaults(defaultPortrait);
  SettingsSection* print = OpenPage(0);
  ReadSection(print, v, false);
  SettingsSection* pageSection = nullptr;
  if (page != 0) {
    pageSection = OpenPage(page);
    ReadSection(pageSection, v, true);
  }
  RaiseToPrinter(v);
  if (face && faceSize > 0) {
    std::size_t n = strnlen(v.face, std::min<std::size_t>(254, faceSize - 1));
    std::memcpy(face, v.face, n);
    face[n] = '\0';
  }
  if (size) *size = v.size;
  if (weight) *weight = v.weight;
  if (italic) *italic = v.italic;
  if (portrait) *portrait = v.portrait;
  if (left) *left = v.margins[0];
  if (right) *right = v.margins[1];
  if (top) *top = v.margins[2];
  if (bottom) *bottom = v.margins[3];
  CloseSettingsSection(pageSection);
  CloseSettingsSection(print);
}

void SavePrintSettings(int page, const char* face, int size, int weight, int italic, int portrait, float left,
                       float right, float top, float bottom, int defaultPortrait) {
  // What the section is compared with: the built-in defaults for "PRINT",
  // what "PRINT" gives for a page.
  PrintValues base = Defaults(portrait);
  if (page != 0) {
    GetPrintSettings(0, portrait, base.face, sizeof base.face, &base.size, &base.weight, &base.italic, nullptr, &base.margins[0],
                     &base.margins[1], &base.margins[2], &base.margins[3]);
  } else {
    RaiseToPrinter(base);
  }
  SettingsSection* s = OpenPage(page);
  if (!s) return;
  const char* newFace = face ? face : "";
  if (std::strcmp(newFace, base.face) != 0) PutSettingText(s, 'A', newFace);
  else DeleteSettingKey(s, 'A');
  if (size != base.size) PutSettingInt(s, 'B', size);
  else DeleteSettingKey(s, 'B');
  if (weight != base.weight) PutSettingInt(s, 'C', weight);
  else DeleteSettingKey(s, 'C');
  if ((italic != 0) != (base.italic != 0)) PutSettingFlag(s, 'D', italic);
  else DeleteSettingKey(s, 'D');
  if (page != 0 && (defaultPortrait < 0 || (portrait != 0) != (defaultPortrait != 0))) PutSettingFlag(s, 'E', portrait);
  else DeleteSettingKey(s, 'E');
  const float margins[4] = {left, right, top, bottom};
  for (int i = 0; i < 4; ++i) {
    if (!SameFloat(margins[i], base.margins[i])) PutSettingFloat(s, kMarginKeys[i], margins[i]);
    else DeleteSettingKey(s, kMarginKeys[i]);
  }
  CloseSettingsSection(s);
}
