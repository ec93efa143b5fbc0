// The labels of check boxes and radio buttons in the program's dialogs are
// not cut: each text fits the part of its control beside the glyph, on the
// lines the control has room for.
#include <gtest/gtest.h>

#include <string>

#include "platform/dialogs/Dialog.h"
#include "platform/dialogs/DlgTemplate.h"
#include "platform/framework/WindowDc.h"
#include "platform/testing/Automation.h"
#include "platform/window/CtlDefs.h"
#include "res/resource.h"

TEST(DialogLabels, CheckAndRadioTextsFitBesideTheirGlyphs) {
  for (UINT dialog : {IDD_SUBUNIT, IDD_ROLLOVER}) {
    automation::ResetWindows();
    CDialog d(dialog);
    ASSERT_TRUE(d.Create(dialog)) << dialog;
    for (HWND c = ::GetWindow(d.m_hWnd, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
      char cls[32] = "";
      ::GetClassName(c, cls, sizeof cls);
      const LONG style = ::GetWindowLong(c, GWL_STYLE);
      const LONG type = style & BS_TYPEMASK;
      if (std::string(cls) != "Button" || (type != BS_CHECKBOX && type != BS_AUTOCHECKBOX &&
                                           type != BS_RADIOBUTTON && type != BS_AUTORADIOBUTTON))
        continue;
      char text[256] = "";
      ::GetWindowText(c, text, sizeof text);
      std::string shown;
      for (const char* p = text; *p; ++p)
        if (*p != '&') shown += *p;
      RECT client;
      ::GetClientRect(c, &client);
      const int room = client.right - 13 - 4;  // the glyph and the gap beside it
      CClientDC dc(CWnd::FromHandle(c));
      CFont* old = dc.SelectObject(CFont::FromHandle(reinterpret_cast<HFONT>(::SendMessage(c, WM_GETFONT, 0, 0))));
      RECT need{0, 0, room, 0};
      dc.DrawText(shown.c_str(), static_cast<int>(shown.size()), &need,
                  DT_CALCRECT | ((style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE));
      dc.SelectObject(old);
      EXPECT_LE(need.right, room) << "\"" << shown << "\" in dialog " << dialog;
      EXPECT_LE(need.bottom, client.bottom) << "\"" << shown << "\" in dialog " << dialog;
    }
    d.DestroyWindow();
  }
}
