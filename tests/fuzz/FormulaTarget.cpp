// Formula texts and formula-sheet archives.
#include <string>
#include <vector>

#include "fuzz/FuzzTargets.h"
#include "fuzz/SerializedBytes.h"
#include "grid/formula/GXCodeToText.h"
#include "grid/formula/GXEngine.h"
#include "grid/formula/GXFormulaSheet.h"
#include "grid/formula/GXParser.h"
#include "platform/Afx.h"

namespace fuzz {

// Compiles the text (with a range name defined), evaluates what compiles,
// and checks that the canonical text compiles again to the same text.
void FormulaText(const std::uint8_t* data, std::size_t size) {
  PrepareRun();
  CGXFormulaSheet sheet;
  int engine = sheet.GetEngineSheet();
  sheet.StoreNumber(1, 1, 3);
  sheet.StoreText(1, 2, "text");
  sheet.SetRangeName("Total", CGXRange(1, 1, 2, 2), nullptr);
  std::string text(reinterpret_cast<const char*>(data), size);
  GX_CODE code;
  if (!GXCompile(engine, text.c_str(), &code)) return;
  std::string canonical = GXCodeToText(engine, &code);
  GX_CODE again;
  FuzzCheck(GXCompile(engine, canonical.c_str(), &again) != 0, "canonical formula text does not compile");
  FuzzCheck(GXCodeToText(engine, &again) == canonical, "canonical formula text changes when compiled again");
  CString shown;
  sheet.EvalCode(shown, &code);
  sheet.StoreFormula(3, 3, text.c_str());
  sheet.Recalculate(TRUE);
}

// Reads a formula sheet from an archive; what was read is written and read
// back again.
void FormulaArchive(const std::uint8_t* data, std::size_t size) {
  PrepareRun();
  CGXFormulaSheet sheet;
  if (!ReadSerialized(sheet, std::vector<BYTE>(data, data + size))) return;
  sheet.Recalculate(TRUE);
  CGXFormulaSheet back;
  FuzzCheck(ReadSerialized(back, WriteSerialized(sheet)), "a formula sheet written by the program reads back");
}

}  // namespace fuzz
