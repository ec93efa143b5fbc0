// CRichEditCtrl's members that do more than send one message.
#include <string>

#include "platform/controls/CtlRichEdit.h"

IMPLEMENT_DYNAMIC(CRichEditCtrl, CWnd)

BOOL CRichEditCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(RICHEDIT_CLASS, nullptr, style, rect, parent, id);
}

std::string CRichEditCtrl::GetSelText() const {
  CHARRANGE range{0, 0};
  GetSel(range);
  // Paragraph ends come out as two characters.
  std::string text(static_cast<size_t>(range.cpMax - range.cpMin) * 2 + 1, '\0');
  const auto n = static_cast<size_t>(SendMessage(EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(text.data())));
  text.resize(n);
  return text;
}

namespace {
struct Reader {
  const std::string* text;
  size_t at = 0;
};

DWORD HandOut(DWORD_PTR cookie, LPBYTE buffer, LONG cb, LONG* pcb) {
  auto* reader = reinterpret_cast<Reader*>(cookie);
  const size_t n = std::min(static_cast<size_t>(cb), reader->text->size() - reader->at);
  reader->text->copy(reinterpret_cast<char*>(buffer), n, reader->at);
  reader->at += n;
  *pcb = static_cast<LONG>(n);
  return 0;
}

DWORD TakeIn(DWORD_PTR cookie, LPBYTE buffer, LONG cb, LONG* pcb) {
  reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(cb));
  *pcb = cb;
  return 0;
}
}  // namespace

std::string RichEditStreamOut(HWND window, int format) {
  std::string out;
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&out), 0, &TakeIn};
  ::SendMessage(window, EM_STREAMOUT, static_cast<WPARAM>(format), reinterpret_cast<LPARAM>(&stream));
  return out;
}

void RichEditStreamIn(HWND window, const std::string& text, int format) {
  Reader reader{&text};
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&reader), 0, &HandOut};
  ::SendMessage(window, EM_STREAMIN, static_cast<WPARAM>(format), reinterpret_cast<LPARAM>(&stream));
}

std::string CRichEditCtrl::StreamOutString(int format) { return RichEditStreamOut(m_hWnd, format); }

void CRichEditCtrl::StreamInString(const std::string& text, int format) { RichEditStreamIn(m_hWnd, text, format); }
