// The font dialog (CFontDialog, ChooseFont): the scalable faces of the
// program's font configuration, the four styles, the sizes (limited with
// CF_LIMITSIZE), strikeout and underline with CF_EFFECTS, and a sample;
// initialised from a LOGFONT (CF_INITTOLOGFONTSTRUCT) and returning one.
// A face the configuration draws with another family (a face name of the
// older system) starts on that family.
#pragma once

#include <string>
#include <vector>

#include "platform/commdlg/CommDlgDefs.h"
#include "platform/dialogs/Dialog.h"

class CDC;

class CFontDialog : public CDialog {
  DECLARE_DYNAMIC(CFontDialog)
 public:
  explicit CFontDialog(LPLOGFONT lplfInitial = nullptr, DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS,
                       CDC* pdcPrinter = nullptr, CWnd* pParentWnd = nullptr);

  INT_PTR DoModal() override;

  void GetCurrentFont(LPLOGFONT lplf) const { *lplf = m_lf; }
  CString GetFaceName() const { return CString(m_lf.lfFaceName); }
  CString GetStyleName() const { return CString(m_style.c_str()); }
  int GetSize() const { return m_cf.iPointSize; }  // tenths of a point
  COLORREF GetColor() const { return m_cf.rgbColors; }
  int GetWeight() const { return static_cast<int>(m_lf.lfWeight); }
  BOOL IsStrikeOut() const { return m_lf.lfStrikeOut != 0; }
  BOOL IsUnderline() const { return m_lf.lfUnderline != 0; }
  BOOL IsBold() const { return m_lf.lfWeight >= FW_SEMIBOLD; }
  BOOL IsItalic() const { return m_lf.lfItalic != 0; }

  CHOOSEFONT m_cf;
  LOGFONT m_lf;  // the font chosen; m_cf.lpLogFont points here unless a caller set it

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  struct Choice {
    std::string face;
    bool bold = false, italic = false;
    int tenths = 0;  // 0 when the size text is not a size
  };
  Choice Current() const;
  void FillSizes();
  void DrawSample(const DRAWITEMSTRUCT* dis);
  int Dpi() const;

  std::vector<std::string> m_faces;
  std::string m_style;
  bool m_hookInitDone = false;
};
