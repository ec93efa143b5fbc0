// One grid holding one cell of each of the drawn cell types of this folder
// that the older tests do not picture: password, progress, bitmap, the
// edit variants, list box, check-list combo, masked edit, rich edit and
// object cells, beside their names; the hot-spot cell is current, so its
// button shows.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "grid/CellGrid.h"
#include "grid/cells/GXDaoBitmap.h"
#include "grid/cells/GXEditVariants.h"
#include "grid/cells/GXMaskControl.h"
#include "grid/cells/GXOlePreview.h"
#include "grid/cells/GXProgressCtrl.h"
#include "grid/cells/GXRichEditCtrl.h"
#include "support/BmpFile.h"
#include "support/GoldenImage.h"

namespace {

// A small orange checker board.
std::vector<BYTE> CheckerBmp(int w, int h) {
  return testbmp::Bytes(w, h, [](int x, int y) {
    return ((x / 4) + (y / 4)) % 2 == 0 ? RGB(20, 40, 160) : RGB(120, 220, 255);
  });
}

class ViewerGrid : public gridtest::ButtonCountingGrid, public CGXOleViewerHost {};

TEST(CellGallery, EachCellTypeDrawnInOneGrid) {
  automation::ResetWindows();
  GXInitLibrary(new CGXControlFactory);
  ViewerGrid grid;
  ASSERT_TRUE(grid.CreateEx(0, "GXWND", nullptr, WS_POPUP | WS_VISIBLE, 0, 0, 300, 290, nullptr, nullptr));
  grid.Initialize();
  grid.SetRowCount(11);
  grid.SetColCount(2);
  grid.SetColWidth(0, 0, 20);
  grid.SetColWidth(1, 1, 100);
  grid.SetColWidth(2, 2, 160);
  grid.SetRowHeight(1, 11, 22);
  grid.SetRowHeight(6, 6, 40);
  const auto row = [&](ROWCOL r, const char* name, CGXStyle style) {
    grid.SetValueRange(CGXRange(r, 1), name);
    grid.ApplyStyle(CGXRange(r, 2), style);
  };
  row(1, "Password", CGXStyle().SetControl(GX_IDS_CTRL_PASSWORD).SetValue("secret"));
  row(2, "Progress", CGXStyle()
                         .SetControl(GX_IDS_CTRL_PROGRESS)
                         .SetUserAttribute(GX_IDS_UA_PROGRESS_HIGH, "100")
                         .SetUserAttribute(GX_IDS_UA_PROGRESS_CAPTION, "%d%%")
                         .SetTextColor(RGB(0, 0, 160))
                         .SetValue("60"));
  auto* picture = new CGXOleVarUserAttribute;
  picture->SetValue(GXByteArrayVariant(CheckerBmp(40, 16)));
  row(3, "Bitmap", CGXStyle().SetControl(GX_IDS_CTRL_DAOBITMAP).SetUserAttribute(GX_IDS_UA_DAOBITMAP, picture));
  row(4, "Hot spot", CGXStyle().SetControl(GX_IDS_CTRL_HOTSPOT).SetValue("Details"));
  row(5, "Spin", CGXStyle().SetControl(GX_IDS_CTRL_SPINEDIT).SetValue("12"));
  row(6, "List box", CGXStyle().SetControl(GX_IDS_CTRL_LISTBOX).SetChoiceList("Red\nGreen\nBlue").SetValue("Green"));
  row(7, "Check list", CGXStyle()
                           .SetControl(GX_IDS_CTRL_CHECKLIST_COMBOBOX)
                           .SetChoiceList("Colours\nRed\nGreen")
                           .SetValue("3"));
  row(8, "Masked", CGXStyle()
                       .SetControl(GX_IDS_CTRL_MASKEDIT)
                       .SetUserAttribute(GX_IDS_UA_INPUTMASK, "(###) ###-####")
                       .SetValue("555123"));
  row(9, "Rich edit", CGXStyle().SetControl(GX_IDS_CTRL_RICHEDIT));
  grid.SetValueRange(CGXRange(9, 2),
                     "{\\rtf1{\\colortbl ;\\red200\\green0\\blue0;}\\plain plain \\b bold \\plain\\i\\cf1 red}");
  row(10, "Object", CGXStyle().SetControl(GX_IDS_CTRL_OLEPREVIEW).SetValue("(object)"));
  row(11, "Scroll edit", CGXStyle().SetControl(GX_IDS_CTRL_SCROLLEDIT).SetValue("text"));
  grid.SetCurrentCell(4, 2);  // the current cell shows its button
  automation::PumpUntilIdle();
  EXPECT_TRUE(golden::Matches("grid/cell_gallery.png", [&](const std::string& path) {
    grid.Invalidate(TRUE);
    grid.UpdateWindow();
    return automation::RenderToPng(grid.m_hWnd, path);
  }));
  grid.DestroyWindow();
  automation::ResetWindows();
}

}  // namespace
