#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "grid/core/GXDIB.h"
#include "grid/core/GXAppData.h"
#include "grid/core/GXLibraryBitmaps.h"
#include "platform/gfx/SysColors.h"
#include "platform/draw_canvas.h"
#include "support/BmpFile.h"

namespace {

// A 24-bit BMP file of one colour in the temporary folder.
std::string WriteBmp(const std::string& name, int w, int h, COLORREF color) {
  const std::string path = (std::filesystem::temp_directory_path() / name).string();
  const std::vector<BYTE> b = testbmp::Bytes(w, h, color);
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
  return path;
}

// Takes named pictures from the test's temporary folder instead of the
// program's own, and counts the loads.
class CountingPool : public CGXDIBPool {
 public:
  HGLOBAL LoadBitmapResource(LPCTSTR resource) override {
    ++loads;
    if (reinterpret_cast<std::uintptr_t>(resource) < 0x10000) return CGXDIBPool::LoadBitmapResource(resource);
    return GXReadBitmapFile((std::filesystem::temp_directory_path() / resource).string());
  }
  int loads = 0;
};

TEST(GridDIBPool, ReferencesLoadOnceAndFailuresAreKept) {
  CountingPool pool;
  CString key;
  EXPECT_EQ(pool.ParseReference("#BMP(0)", key), nullptr);
  EXPECT_EQ(pool.ParseReference("#BMP(x)", key), nullptr);
  EXPECT_EQ(pool.ParseReference("12.50", key), nullptr);
  EXPECT_EQ(pool.ParseReference("#BMP(\"open)", key), nullptr);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(pool.ParseReference("#BMP(130)", key)), 130u);
  EXPECT_EQ(key, "#130");

  WriteBmp("grid_dib_red.bmp", 4, 2, RGB(255, 0, 0));
  CString ref;
  pool.FormatNameReference("grid_dib_red.bmp", ref);
  HGLOBAL first = pool.GetBitmap(ref);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(pool.GetBitmap(ref), first);
  EXPECT_EQ(pool.loads, 1);

  EXPECT_EQ(pool.GetBitmap("#BMP(\"missing.bmp\")"), nullptr);
  EXPECT_EQ(pool.GetBitmap("#BMP(\"missing.bmp\")"), nullptr);
  EXPECT_EQ(pool.loads, 2) << "a missing resource is not tried again";
  EXPECT_EQ(pool.FormatIdReference(130, ref), "#BMP(130)");

  CGXDIB dib;
  ASSERT_TRUE(dib.Attach(first));
  EXPECT_EQ(dib.GetWidth(), 4);
  EXPECT_EQ(dib.GetHeight(), 2);
  EXPECT_EQ(dib.Detach(), first) << "the pool keeps ownership";
}

// A cell's value names a picture, never a file: paths are refused, and no
// file is read that is not a plain one of a sensible size (a device such as
// /dev/zero would never end).
TEST(GridDIBPool, NamesNeverReachOtherFiles) {
  const std::string path = WriteBmp("grid_dib_blue.bmp", 2, 2, RGB(0, 0, 255));
  CGXDIBPool pool;
  for (const char* ref : {"#BMP(\"/dev/zero\")", "#BMP(\"../res/bitmaps/20028\")", "#BMP(\"a\\\\b\")",
                          "#BMP(\"\")"}) {
    SCOPED_TRACE(ref);
    EXPECT_EQ(pool.GetBitmap(ref), nullptr);
  }
  CString ref;
  pool.FormatNameReference(path.c_str(), ref);
  EXPECT_EQ(pool.GetBitmap(ref), nullptr) << "a full path is no picture name";

  EXPECT_EQ(GXReadBitmapFile("/dev/zero"), nullptr);
  EXPECT_EQ(GXReadBitmapFile(std::filesystem::temp_directory_path().string()), nullptr);
  const std::string big = (std::filesystem::temp_directory_path() / "grid_dib_big.bmp").string();
  {
    std::ofstream out(big, std::ios::binary);
    out << "BM";
    out.seekp((16 << 20) + 1);
    out << '\0';
  }
  EXPECT_EQ(GXReadBitmapFile(big), nullptr) << "too large";
  std::filesystem::remove(big);
  HGLOBAL dib = GXReadBitmapFile(path);
  ASSERT_NE(dib, nullptr);
  ::GlobalFree(dib);
  // The program's own pictures are found by id and by name.
  HGLOBAL own = pool.GetBitmap("#BMP(102)");
  EXPECT_NE(own, nullptr);
  EXPECT_NE(pool.GetBitmap("#BMP(\"ACCTBAL\")"), nullptr);
}

TEST(GridDIBPool, DrawModes) {
  CountingPool pool;
  CString ref;
  WriteBmp("grid_dib_fit.bmp", 100, 50, RGB(255, 0, 0));
  pool.FormatNameReference("grid_dib_fit.bmp", ref);
  HGLOBAL dib = pool.GetBitmap(ref);
  ASSERT_NE(dib, nullptr);
  {
    drawtest::Canvas c(200, 200);
    GXDrawDIB(&c.dc, dib, CRect(0, 0, 200, 200), 2, GX_DIB_HCENTER | GX_DIB_VCENTER, nullptr);
    EXPECT_EQ(c.At(0, 49), RGB(255, 255, 255));
    EXPECT_EQ(c.At(0, 50), RGB(255, 0, 0));
    EXPECT_EQ(c.At(199, 149), RGB(255, 0, 0));
    EXPECT_EQ(c.At(199, 150), RGB(255, 255, 255));
    EXPECT_EQ(c.Count(RGB(255, 0, 0)), 200 * 100);
  }
  {
    drawtest::Canvas c(200, 100);
    GXDrawDIB(&c.dc, dib, CRect(0, 0, 200, 100), 0, GX_DIB_RIGHT | GX_DIB_BOTTOM, nullptr);
    EXPECT_EQ(c.Count(RGB(255, 0, 0)), 100 * 50);
    EXPECT_EQ(c.At(199, 99), RGB(255, 0, 0));
    EXPECT_EQ(c.At(99, 99), RGB(255, 255, 255));
  }
  {
    drawtest::Canvas c(40, 30);
    GXDrawDIB(&c.dc, dib, CRect(0, 0, 40, 30), 1, 0, nullptr);
    EXPECT_EQ(c.Count(RGB(255, 0, 0)), 40 * 30);
  }
}

}  // namespace

namespace {

TEST(GridBitmaps, TransparentDrawingLeavesTheBackgroundAlone) {
  CBitmap arrow;
  ASSERT_TRUE(GXLoadResourceBitmap(arrow, 20028));  // face colour around a black arrow
  drawtest::Canvas c(9, 6, RGB(0, 0, 255));
  GXDrawBitmap(&c.dc, arrow, 1, 1, GetSysColor(COLOR_BTNFACE));
  const std::vector<std::string> expect = {
      "bbbbbbbbb", "b#######b", "bb#####bb", "bbb###bbb", "bbbb#bbbb", "bbbbbbbbb",
  };
  EXPECT_EQ(c.Rows(), expect);
}

TEST(GridBitmaps, TheDimmedArrowAndTheCalculatorButtonAreDrawnInTheButtonTones) {
  struct Case {
    UINT id;
    int width, height;
    bool hasText;
  } cases[] = {{20211, 8, 5, false}, {20036, 11, 13, true}};
  for (const Case& k : cases) {
    CBitmap bitmap;
    ASSERT_TRUE(GXLoadResourceBitmap(bitmap, k.id)) << k.id;
    BITMAP bm{};
    ASSERT_TRUE(bitmap.GetBitmap(&bm));
    EXPECT_EQ(bm.bmWidth, k.width);
    EXPECT_EQ(bm.bmHeight, k.height);
    drawtest::Canvas c(k.width, k.height, RGB(0, 0, 255));
    GXDrawBitmap(&c.dc, bitmap, 0, 0, RGB(0, 0, 255));
    EXPECT_GT(c.Count(GetSysColor(COLOR_BTNSHADOW)), 0) << k.id;
    EXPECT_EQ(c.Count(GetSysColor(COLOR_BTNTEXT)) > 0, k.hasText) << k.id;
  }
  EXPECT_NE(GXGetSysColorCache().GetDimmedDropArrowBitmap(), nullptr);
}

}  // namespace
