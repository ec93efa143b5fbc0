#include "grid/formula/GXRef.h"

#include <cctype>
#include <cstdio>
#include <string>
#include <utility>

namespace {

// The two texts the engine hands out by pointer: the last column letters and
// the last reference text.
struct RefTextBuffers {
  char letters[8] = {};
  std::string refText;
};

RefTextBuffers& Buffers() {
  static RefTextBuffers buffers;
  return buffers;
}

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// One corner: optional "$", letters, optional "$", digits. Advances p.
bool ParseCorner(const char*& p, int& row, int& col, bool& absRow, bool& absCol) {
  absCol = absRow = false;
  if (*p == '$') {
    absCol = true;
    ++p;
  }
  const char* letters = p;
  while (IsLetter(*p)) ++p;
  if (p == letters || p - letters > 3) return false;
  col = GXLettersToColumn(letters);
  if (col < 0) return false;
  if (*p == '$') {
    absRow = true;
    ++p;
  }
  if (!IsDigit(*p)) return false;
  long long value = 0;
  while (IsDigit(*p)) {
    value = value * 10 + (*p - '0');
    if (value > kGXMaxRow) return false;
    ++p;
  }
  if (value < 1) return false;
  row = static_cast<int>(value);
  return true;
}

void AppendCorner(std::string& out, int row, int col, bool absRow, bool absCol) {
  if (absCol) out += '$';
  out += GXColumnToLetters(col);
  if (absRow) out += '$';
  out += std::to_string(row);
}

}  // namespace

int GXRefNormalize(GX_REF& ref) {
  if (ref.Row1() <= 0 || ref.Col1() > kGXMaxCol) return 0;
  if (ref.IsOneCell()) {
    ref.SetRow2(ref.Row1());
    ref.SetCol2(ref.Col1());
    ref.Set(GX_REF::kAbsRow2, ref.Has(GX_REF::kAbsRow1));
    ref.Set(GX_REF::kAbsCol2, ref.Has(GX_REF::kAbsCol1));
    return 1;
  }
  if (ref.Row2() <= 0 || ref.Col2() > kGXMaxCol) return 0;
  if (ref.Row2() < ref.Row1()) {
    int r1 = ref.Row1(), r2 = ref.Row2();
    bool a1 = ref.Has(GX_REF::kAbsRow1), a2 = ref.Has(GX_REF::kAbsRow2);
    ref.SetRow1(r2);
    ref.SetRow2(r1);
    ref.Set(GX_REF::kAbsRow1, a2);
    ref.Set(GX_REF::kAbsRow2, a1);
  }
  if (ref.Col2() < ref.Col1()) {
    int c1 = ref.Col1(), c2 = ref.Col2();
    bool a1 = ref.Has(GX_REF::kAbsCol1), a2 = ref.Has(GX_REF::kAbsCol2);
    ref.SetCol1(c2);
    ref.SetCol2(c1);
    ref.Set(GX_REF::kAbsCol1, a2);
    ref.Set(GX_REF::kAbsCol2, a1);
  }
  return 1;
}

int GXRefMake(GX_REF& ref, int row1, int col1, int row2, int col2, int flags) {
  auto row = [](int r) { return r >= 1 && r <= kGXMaxRow ? r : 0; };
  auto col = [](int c) { return c >= 0 && c <= kGXMaxCol ? c : 0; };
  ref = GX_REF{};
  ref.SetRow1(row(row1));
  ref.SetCol1(col(col1));
  ref.Set(GX_REF::kAbsCol1, (flags & kGXRefAbsCol1) != 0);
  ref.Set(GX_REF::kAbsRow1, (flags & kGXRefAbsRow1) != 0);
  if (flags & kGXRefOneCell) {
    ref.Set(GX_REF::kOneCell, true);
  } else {
    ref.SetRow2(row(row2));
    ref.SetCol2(col(col2));
    ref.Set(GX_REF::kAbsCol2, (flags & kGXRefAbsCol2) != 0);
    ref.Set(GX_REF::kAbsRow2, (flags & kGXRefAbsRow2) != 0);
  }
  return GXRefNormalize(ref);
}

bool GXRefIntersects(const GX_REF& a, const GX_REF& b) {
  return a.Row1() <= b.Row2() && b.Row1() <= a.Row2() && a.Col1() <= b.Col2() && b.Col1() <= a.Col2();
}

bool GXRefEqual(const GX_REF& a, const GX_REF& b) {
  return a.Row1() == b.Row1() && a.Row2() == b.Row2() && a.Col1() == b.Col1() && a.Col2() == b.Col2();
}

int GXParseRef(const char* text, GX_REF& ref) {
  if (!text) return 0;
  const char* p = text;
  int r1 = 0, c1 = 0;
  bool ar1 = false, ac1 = false;
  if (!ParseCorner(p, r1, c1, ar1, ac1)) return 0;
  GX_REF out;
  out.SetRow1(r1);
  out.SetCol1(c1);
  out.Set(GX_REF::kAbsRow1, ar1);
  out.Set(GX_REF::kAbsCol1, ac1);
  if (*p == '\0') {
    out.Set(GX_REF::kOneCell, true);
  } else {
    if (*p != '.' && *p != ':') return 0;
    ++p;
    if (*p == '.') ++p;
    int r2 = 0, c2 = 0;
    bool ar2 = false, ac2 = false;
    if (!ParseCorner(p, r2, c2, ar2, ac2) || *p != '\0') return 0;
    out.SetRow2(r2);
    out.SetCol2(c2);
    out.Set(GX_REF::kAbsRow2, ar2);
    out.Set(GX_REF::kAbsCol2, ac2);
  }
  if (!GXRefNormalize(out)) return 0;
  ref = out;
  return 1;
}

const char* GXRefToText(const GX_REF& ref) {
  GX_REF r = ref;
  if (!GXRefNormalize(r)) return nullptr;
  std::string& out = Buffers().refText;
  out.clear();
  AppendCorner(out, r.Row1(), r.Col1(), r.Has(GX_REF::kAbsRow1), r.Has(GX_REF::kAbsCol1));
  if (!r.IsOneCell()) {
    out += "..";
    AppendCorner(out, r.Row2(), r.Col2(), r.Has(GX_REF::kAbsRow2), r.Has(GX_REF::kAbsCol2));
  }
  return out.c_str();
}

const char* GXColumnToLetters(int col) {
  if (col < 0 || col > kGXMaxCol) return nullptr;
  char reversed[4];
  int n = 0;
  int value = col;
  for (;;) {
    reversed[n++] = static_cast<char>('A' + value % 26);
    value = value / 26 - 1;
    if (value < 0) break;
  }
  char* out = Buffers().letters;
  for (int i = 0; i < n; ++i) out[i] = reversed[n - 1 - i];
  out[n] = '\0';
  return out;
}

int GXLettersToColumn(const char* text) {
  if (!text || !IsLetter(*text)) return -1;
  long value = 0;
  for (const char* p = text; IsLetter(*p); ++p) {
    value = value * 26 + (std::toupper(static_cast<unsigned char>(*p)) - 'A' + 1);
    if (value - 1 > kGXMaxCol) return -1;
  }
  return static_cast<int>(value - 1);
}
