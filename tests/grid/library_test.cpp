#include <gtest/gtest.h>

#include <vector>

#include "grid/core/GXAppData.h"
#include "platform/testing/Automation.h"
#include "platform/framework/CWinApp.h"
#include "platform/window/Clipboard.h"
#include "platform/window/Messages.h"
#include "platform/gfx/SysColors.h"
#include "platform/window/Window.h"

namespace {

struct CountedFactory : public CObject {
  explicit CountedFactory(int& deaths) : deaths_(deaths) {}
  ~CountedFactory() override { ++deaths_; }
  int& deaths_;
};

TEST(GridLibrary, InitialisationRegistersClassesAndReplacesTheFactory) {
  int deaths = 0;
  GXInitLibrary(new CountedFactory(deaths));
  GXInitLibrary(new CountedFactory(deaths));
  EXPECT_EQ(deaths, 1) << "the first factory is deleted";
  CGXAppData* app = GXGetAppData();
  EXPECT_TRUE(app->m_bInitDone);
  EXPECT_NE(app->m_uiStylesClipboardFormat, 0u);
  EXPECT_EQ(app->m_texts[0], "Redoing %1 ...");
  EXPECT_EQ(app->m_texts[29], "Move");
  EXPECT_EQ(GXGetLongOperationTexts().pressEscape, "Press ESC to cancel");
  for (const char* name : {"GXWND", "GXNDBLCLKSWND", "GxMdiFrame", "GXEDIT", "GXLISTBOX", "GXCOMBOBOX", "GXDragLine"}) {
    WNDCLASS wc{};
    EXPECT_TRUE(::GetClassInfo(AfxGetInstanceHandle(), name, &wc)) << name;
  }
  WNDCLASS wc{};
  ::GetClassInfo(AfxGetInstanceHandle(), "GXWND", &wc);
  EXPECT_EQ(wc.style, 0x400Bu);
  GXTerminate();
  EXPECT_EQ(deaths, 2);
  EXPECT_EQ(app->m_pControlFactory, nullptr);
}

TEST(GridLibrary, RegistryLeavesNoEmptyList) {
  CGXAppData* app = GXGetAppData();
  const std::size_t before = app->RegistryKeyCount();
  int keys[4];
  auto* grid = reinterpret_cast<CGXGridCore*>(&keys[0]);
  for (int& k : keys) app->RegisterGrid(&k, grid);
  EXPECT_EQ(GXLookupAppEntry(&keys[2]), grid);
  app->UnregisterGrid(grid);
  EXPECT_EQ(app->RegistryKeyCount(), before);
  EXPECT_EQ(GXLookupAppEntry(&keys[2]), nullptr);
}

TEST(GridLibrary, AutoDeleteRunsNewestFirst) {
  CGXAppData app;
  std::vector<int> order;
  struct Noted {
    std::vector<int>* order;
    int id;
    ~Noted() { order->push_back(id); }
  };
  app.AddAutoDelete(new Noted{&order, 1});
  app.AddAutoDelete(new Noted{&order, 2});
  app.DeleteAutoDeleteObjects();
  EXPECT_EQ(order, (std::vector<int>{2, 1}));
}

TEST(GridLibrary, SingleByteCharactersStandAlone) {
  CString out;
  BOOL pending = FALSE;
  char lead = 0;
  EXPECT_FALSE(GXAssembleDbcsChar('a', out, pending, lead));
  EXPECT_EQ(out, "a");
  pending = TRUE;
  lead = 'x';
  EXPECT_TRUE(GXAssembleDbcsChar('y', out, pending, lead));
  EXPECT_EQ(out, "xy");
  EXPECT_FALSE(pending);
}

}  // namespace

namespace {

TEST(GridLibrary, SystemColourCacheNamesItsColours) {
  CGXSysColorCache& cache = GXGetSysColorCache();
  cache.Refresh();
  EXPECT_EQ(cache.clrBtnFace, GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(cache.clrHighlightText, GetSysColor(COLOR_HIGHLIGHTTEXT));
  EXPECT_EQ(cache.GetColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(cache.GetColor(30), GetSysColor(30)) << "beyond the cache: the current colour";
  HBITMAP arrow = cache.GetDropArrowBitmap();
  EXPECT_NE(arrow, nullptr);
  EXPECT_EQ(cache.GetDropArrowBitmap(), arrow) << "made once per refresh";
  EXPECT_NE(cache.hcurArrow, nullptr);
}

}  // namespace

namespace {

TEST(GridLibrary, ParentOfClassAndRegisteredWindows) {
  automation::ResetWindows();
  GXInitLibrary();
  HWND top = ::CreateWindowEx(0, "GXWND", "Top", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr,
                              nullptr, nullptr);
  ASSERT_NE(top, nullptr);
  HWND child = ::CreateWindowEx(0, "GXNDBLCLKSWND", "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, top, nullptr, nullptr,
                                nullptr);
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(GXGetParentOfClass(child, "gxwnd", FALSE), top) << "class names compare without case";
  EXPECT_EQ(GXGetParentOfClass(child, "GxMdiFrame", FALSE), nullptr);
  EXPECT_EQ(GXGetParentOfClass(top, "GXWND", TRUE), nullptr) << "a top-level window has no parent";

  CGXAppData app;
  app.AddWindowOnce(top);
  app.AddWindowOnce(child);
  app.AddWindowOnce(top);
  EXPECT_EQ(app.GetRegisteredWindows().size(), 2u);
  automation::ResetWindows();
}

}  // namespace
