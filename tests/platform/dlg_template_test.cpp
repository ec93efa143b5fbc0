// Dialog templates: the text format, symbols, styles, errors with their
// line, and dialog units from the dialog font.
#include <gtest/gtest.h>

#include "dlg_support.h"
#include "platform/dialogs/DlgResourceText.h"
#include "res/resource.h"

using namespace dlgtest;

namespace {

TEST(DlgTemplateFormat, ParsesAllParts) {
  const char* text = R"(
# comment
dialog IDD_GALLERY_CONTROLS
  caption "Caf\u00e9 \"R\" Us"
  rect 10 20 200 100
  font 10 "Arial"
  style WS_POPUP | WS_CAPTION DS_MODALFRAME
  exstyle WS_EX_CONTROLPARENT
  class "MyDialog"
  control Button IDOK "&OK" 1 2 3 4 BS_DEFPUSHBUTTON | WS_TABSTOP
  control "GXWND" 0x10 "" 5 6 7 8 NOT WS_VISIBLE WS_BORDER exstyle WS_EX_CLIENTEDGE
end
dialog 77
end
)";
  std::vector<DlgTemplate> out;
  std::string error;
  // The file is UTF-8: write the e-acute as its two bytes.
  std::string utf8 = text;
  utf8.replace(utf8.find("\\u00e9"), 6, "\xC3\xA9");
  ASSERT_TRUE(ParseDialogTemplates(utf8, "t.dlg", &out, &error)) << error;
  ASSERT_EQ(out.size(), 2u);
  const DlgTemplate& t = out[0];
  EXPECT_EQ(t.id, IDD_GALLERY_CONTROLS);
  EXPECT_EQ(t.name, "IDD_GALLERY_CONTROLS");
  EXPECT_EQ(t.caption, "Caf\xE9 \"R\" Us");  // Windows-1252 in the program
  EXPECT_EQ(t.x, 10);
  EXPECT_EQ(t.cy, 100);
  EXPECT_EQ(t.pointSize, 10);
  EXPECT_EQ(t.face, "Arial");
  EXPECT_EQ(t.style, WS_POPUP | WS_CAPTION | DS_MODALFRAME);
  EXPECT_EQ(t.exStyle, WS_EX_CONTROLPARENT);
  EXPECT_EQ(t.className, "MyDialog");
  ASSERT_EQ(t.items.size(), 2u);
  EXPECT_EQ(t.items[0].id, IDOK);
  EXPECT_EQ(t.items[0].style, WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP);
  EXPECT_EQ(t.items[1].className, "GXWND");
  EXPECT_EQ(t.items[1].id, 16);
  EXPECT_EQ(t.items[1].style, WS_CHILD | WS_BORDER);
  EXPECT_EQ(t.items[1].exStyle, WS_EX_CLIENTEDGE);
  EXPECT_EQ(out[1].id, 77);
  EXPECT_EQ(out[1].style, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);  // the default
}

TEST(DlgTemplateFormat, MalformedTextsAreRefusedWithTheirLine) {
  struct Case {
    const char* text;
    const char* error;
  } cases[] = {
      {"caption \"x\"\n", "t.dlg:1: \"dialog\" was expected"},
      {"dialog 1\n  caption x\n", "t.dlg:2: caption \"text\" was expected"},
      {"dialog 1\n  rect 1 2 3\nend\n", "t.dlg:2: rect x y width height"},
      {"dialog 1\n  style WS_NOSUCH\nend\n", "t.dlg:2: unknown style WS_NOSUCH"},
      {"dialog 1\n  control Button NO_SUCH_ID \"\" 1 2 3 4\nend\n", "t.dlg:2: unknown id NO_SUCH_ID"},
      {"dialog 1\n  control Button 1 \"open 1 2 3 4\nend\n", "t.dlg:2: unterminated string"},
      {"dialog 1\n  control Button 1 \"\" 1 2 x 4\nend\n", "t.dlg:2: a number was expected"},
      {"dialog 1\n  wibble\nend\n", "t.dlg:2: unknown statement wibble"},
      {"dialog 1\n  caption \"x\"\n", "t.dlg:3: \"end\" is missing"},
  };
  for (const Case& c : cases) {
    std::vector<DlgTemplate> out;
    std::string error;
    EXPECT_FALSE(ParseDialogTemplates(c.text, "t.dlg", &out, &error)) << c.text;
    EXPECT_EQ(error.rfind(c.error, 0), 0u) << error;
    EXPECT_TRUE(out.empty());
  }
}

TEST(DlgTemplateFormat, EveryShippedTemplateParses) {
  int count = 0;
  for (const platform::EmbeddedText& e : platform::EmbeddedResourceTexts()) {
    std::string path = e.path;
    if (path.size() < 4 || path.substr(path.size() - 4) != ".dlg") continue;
    std::vector<DlgTemplate> out;
    std::string error;
    EXPECT_TRUE(ParseDialogTemplates(e.text(), path, &out, &error)) << error;
    ++count;
  }
  EXPECT_GT(count, 0);
  EXPECT_NE(FindDialogTemplate(MAKEINTRESOURCE(IDD_GALLERY_CONTROLS)), nullptr);
  EXPECT_NE(FindDialogTemplate("IDD_GALLERY_CONTROLS"), nullptr);
  EXPECT_EQ(FindDialogTemplate(MAKEINTRESOURCE(4711)), nullptr);
}

TEST_F(DialogTest, DialogUnitsComeFromTheDialogFont) {
  // 8 pt at 96 dpi on the font that stands for "MS Sans Serif".
  SIZE u = DialogBaseUnits("MS Sans Serif", 8);
  EXPECT_EQ(u.cx, 6);
  EXPECT_EQ(u.cy, 13);
  EXPECT_EQ(GetDialogBaseUnits(), static_cast<LONG>(MAKELONG(6, 13)));
  open();
  RECT client;
  GetClientRect(dlg->m_hWnd, &client);
  RECT expect{0, 0, 200, 120};
  dlg->MapDialogRect(&expect);
  EXPECT_EQ(client.right, expect.right);
  EXPECT_EQ(client.bottom, expect.bottom);
  EXPECT_EQ(expect.right, 300);   // 200 * 6 / 4
  EXPECT_EQ(expect.bottom, 195);  // 120 * 13 / 8
  // A control's rectangle: x 50, y 5, 100 x 12 units.
  RECT r;
  GetWindowRect(item(kName), &r);
  POINT p{r.left, r.top};
  ScreenToClient(dlg->m_hWnd, &p);
  EXPECT_EQ(p.x, 75);
  EXPECT_EQ(p.y, 8);
  EXPECT_EQ(r.right - r.left, 150);
  EXPECT_EQ(r.bottom - r.top, 20);  // 12 * 13 / 8, rounded
}

TEST_F(DialogTest, AMissingTemplateOrClassFailsTheDialog) {
  CDialog missing(4711);
  EXPECT_EQ(missing.DoModal(), -1);
  std::string error;
  ASSERT_TRUE(AddDialogTemplates("dialog 7002\n  control NoSuchClass 1 \"\" 0 0 10 10\nend\n", "t", &error));
  CDialog noClass(7002);
  EXPECT_EQ(noClass.DoModal(), -1);
}

}  // namespace
