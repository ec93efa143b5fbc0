// A small dialog drawn at a fixed size matches its golden picture to the
// pixel (shipped fonts, classic colours). KESTROVA_UPDATE_GOLDEN=1 rewrites
// the picture instead; look at it before keeping it.
#include <cairo.h>

#include <cstdlib>
#include <cstring>

#include "dlg_support.h"
#include "platform/Resources.h"

namespace {

const char* kSmall = R"(
dialog 7100
  caption "Golden"
  rect 0 0 160 56
  style WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME
  control Static IDC_STATIC "&Label text:" 7 9 50 8
  control Button 101 "&Check" 60 8 60 10 BS_AUTOCHECKBOX | WS_TABSTOP
  control Button IDOK "OK" 48 36 50 14 BS_DEFPUSHBUTTON | WS_TABSTOP
  control Button IDCANCEL "Cancel" 103 36 50 14 WS_TABSTOP
end
)";

// Pixels that differ between two pictures; -1 when they differ in size or
// one cannot be read.
int differingPixels(const std::string& a, const std::string& b) {
  cairo_surface_t* sa = cairo_image_surface_create_from_png(a.c_str());
  cairo_surface_t* sb = cairo_image_surface_create_from_png(b.c_str());
  int result = -1;
  if (cairo_surface_status(sa) == CAIRO_STATUS_SUCCESS && cairo_surface_status(sb) == CAIRO_STATUS_SUCCESS &&
      cairo_image_surface_get_width(sa) == cairo_image_surface_get_width(sb) &&
      cairo_image_surface_get_height(sa) == cairo_image_surface_get_height(sb)) {
    result = 0;
    int w = cairo_image_surface_get_width(sa), h = cairo_image_surface_get_height(sa);
    for (int y = 0; y < h; ++y) {
      const auto* ra = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(sa) +
                                                              y * cairo_image_surface_get_stride(sa));
      const auto* rb = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(sb) +
                                                              y * cairo_image_surface_get_stride(sb));
      for (int x = 0; x < w; ++x)
        if ((ra[x] & 0xFFFFFF) != (rb[x] & 0xFFFFFF)) ++result;
    }
  }
  cairo_surface_destroy(sa);
  cairo_surface_destroy(sb);
  return result;
}

class Golden : public dlgtest::DialogTest {};

TEST_F(Golden, ASmallDialogMatchesItsGoldenPicture) {
  std::string error;
  ASSERT_TRUE(AddDialogTemplates(kSmall, "golden", &error)) << error;
  CDialog d(7100);
  ASSERT_TRUE(d.Create(7100));
  d.SetWindowPos(nullptr, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  d.ShowWindow(SW_SHOW);
  CheckDlgButton(d.m_hWnd, 101, BST_CHECKED);
  automation::PumpUntilIdle();
  std::string actual = ::testing::TempDir() + "dlg_small.png";
  ASSERT_TRUE(automation::RenderToPng(d.m_hWnd, actual));
  // The test data lies beside the resource folder in the source tree.
  std::string golden = ResourceDir() + "/../tests/data/platform/dlg_small.png";
  const char* update = std::getenv("KESTROVA_UPDATE_GOLDEN");
  if (update && std::strcmp(update, "1") == 0) {
    std::string cmd = "cp '" + actual + "' '" + golden + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
  }
  EXPECT_EQ(differingPixels(actual, golden), 0) << "compare " << actual << " with " << golden;
}

}  // namespace
