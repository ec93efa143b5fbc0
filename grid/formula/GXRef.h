// The packed cell and range reference of the formula engine: three 32-bit
// words, also used for range names, pending changed ranges and undo ranges.
#pragma once

#include <cstdint>

// Engine coordinates: rows 1..kGXMaxRow, columns 0..kGXMaxCol ("A" is 0).
constexpr int kGXMaxRow = 8388607;
constexpr int kGXMaxCol = 4095;

struct GX_REF {
  // Word 0: first row in bits 0-23; word 1: last row in bits 0-23; word 2:
  // columns and flags (see the bit constants below).
  uint32_t w0 = 0;
  uint32_t w1 = 0;
  uint32_t w2 = 0;

  static constexpr uint32_t kAbsRow1 = 1u << 13;
  static constexpr uint32_t kAbsCol1 = 1u << 14;
  static constexpr uint32_t kAbsRow2 = 1u << 28;
  static constexpr uint32_t kAbsCol2 = 1u << 29;
  static constexpr uint32_t kOneCell = 1u << 30;

  // Rows read as signed 24-bit values (bit 23 set means negative).
  int Row1() const { return Signed24(w0); }
  int Row2() const { return Signed24(w1); }
  int Col1() const { return static_cast<int>(w2 & 0x1FFF); }
  int Col2() const { return static_cast<int>((w2 >> 15) & 0x1FFF); }
  void SetRow1(int row) { w0 = static_cast<uint32_t>(row) & 0xFFFFFF; }
  void SetRow2(int row) { w1 = static_cast<uint32_t>(row) & 0xFFFFFF; }
  void SetCol1(int col) { w2 = (w2 & ~0x1FFFu) | (static_cast<uint32_t>(col) & 0x1FFF); }
  void SetCol2(int col) { w2 = (w2 & ~(0x1FFFu << 15)) | ((static_cast<uint32_t>(col) & 0x1FFF) << 15); }
  bool Has(uint32_t flag) const { return (w2 & flag) != 0; }
  void Set(uint32_t flag, bool on) { w2 = on ? (w2 | flag) : (w2 & ~flag); }
  bool IsOneCell() const { return Has(kOneCell); }

  bool Contains(int row, int col) const { return row >= Row1() && row <= Row2() && col >= Col1() && col <= Col2(); }

 private:
  static int Signed24(uint32_t w) {
    w &= 0xFFFFFF;
    return (w & 0x800000) ? static_cast<int>(w) - 0x1000000 : static_cast<int>(w);
  }
};

// Flag bits of GXRefMake.
constexpr int kGXRefOneCell = 1;
constexpr int kGXRefAbsCol1 = 2;
constexpr int kGXRefAbsRow1 = 4;
constexpr int kGXRefAbsCol2 = 8;
constexpr int kGXRefAbsRow2 = 16;

int GXRefNormalize(GX_REF& ref);
int GXRefMake(GX_REF& ref, int row1, int col1, int row2, int col2, int flags);
bool GXRefIntersects(const GX_REF& a, const GX_REF& b);
bool GXRefEqual(const GX_REF& a, const GX_REF& b);
int GXParseRef(const char* text, GX_REF& ref);
// The text of a reference ("$A$1", "A1..B2"), or null for an invalid one;
// valid until the next call.
const char* GXRefToText(const GX_REF& ref);

// Column letters: "A".."Z", "AA".. up to "FAN" (4095); null above. Valid
// until the next call of this or of GXRefToText.
const char* GXColumnToLetters(int col);
// The column of the leading letters of a text, -1 when above 4095 (or none).
int GXLettersToColumn(const char* text);
