#include "common/SplashWindow.h"

#include "common/UnitVocab.h"
#include "common/Version.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/WindowDc.h"
#include "platform/gfx/Dc.h"

CSplashWindow* SplashWnd = nullptr;
int SplashEnabled = 0;

namespace {

constexpr UINT_PTR kCloseTimer = 1;
constexpr UINT kShowMs = 2000;
constexpr int kPictureWidth = 296;
const char kSplashClass[] = "KestrovaSplash";
const char kNotice[] = "Records for the unit's treasurer";
void (*firstPaintArmer)() = nullptr;

LPCTSTR SplashClass() {
  WNDCLASS wc;
  if (!GetClassInfo(nullptr, kSplashClass, &wc)) {
    wc = WNDCLASS{};
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kSplashClass;
    RegisterClass(&wc);
  }
  return kSplashClass;
}

// Bold yellow "Arial" text, drawn transparently.
void DrawLine(CDC& dc, const CString& text, int height, int width, int x, int y) {
  CFont font;
  if (!font.CreateFont(height, width, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0, "Arial")) return;
  CFont* old = dc.SelectObject(&font);
  dc.TextOut(x, y, text);
  dc.SelectObject(old);
}

CSize Extent(CDC& dc, const CString& text, int height, int width) {
  CFont font;
  if (!font.CreateFont(height, width, 0, 0, 700, 0, 0, 0, 0, 0, 0, 0, 0, "Arial")) return CSize(0, 0);
  CFont* old = dc.SelectObject(&font);
  const CSize size = dc.GetTextExtent(text);
  dc.SelectObject(old);
  return size;
}

}  // namespace

void CSplashWindow::EnableSplash(int enable) { SplashEnabled = enable; }

void CSplashWindow::SetFirstPaintArmer(void (*armer)()) { firstPaintArmer = armer; }

void CSplashWindow::ShowSplash(CWnd* parent) {
  if (!SplashEnabled || SplashWnd != nullptr) return;
  SplashWnd = new CSplashWindow;
  if (!SplashWnd->Create(parent)) {
    delete SplashWnd;
    SplashWnd = nullptr;
    // Without its picture there is nothing to wait for: the window that the
    // splash would have shown shows now, and the first paint's step runs.
    if (parent && parent->GetSafeHwnd()) parent->ShowWindow(SW_SHOWNORMAL);
    if (firstPaintArmer) firstPaintArmer();
    return;
  }
  SplashWnd->UpdateWindow();
}

BOOL CSplashWindow::Create(CWnd* parent) {
  if (!m_bitmap.LoadBitmap(static_cast<UINT>(SplashBitmapId))) return FALSE;
  BITMAP bm{};
  m_bitmap.GetBitmap(&bm);
  return CreateEx(0, SplashClass(), nullptr, WS_POPUP | WS_VISIBLE, 0, 0, bm.bmWidth, bm.bmHeight,
                  parent ? parent->GetSafeHwnd() : nullptr, nullptr);
}

int CSplashWindow::OnCreate(LPCREATESTRUCT cs) {
  if (CWnd::OnCreate(cs) == -1) return -1;
  CenterWindow(nullptr);
  SetTimer(kCloseTimer, kShowMs);
  return 0;
}

void CSplashWindow::OnTimer(UINT_PTR id) {
  if (id == kCloseTimer) HideSplashScreen();
}

bool CSplashWindow::PreTranslateAppMessage(MSG* msg) {
  if (SplashWnd == nullptr || msg == nullptr) return false;
  switch (msg->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
      HideSplashScreen();
      return true;
    default:
      return false;
  }
}

void CSplashWindow::HideSplashScreen() {
  if (SplashWnd == nullptr) return;
  SplashWnd->DestroyWindow();  // the window deletes its object
  if (CWinApp* app = AfxGetApp())
    if (app->m_pMainWnd != nullptr) app->m_pMainWnd->ShowWindow(SW_SHOWNORMAL);
  if (firstPaintArmer) firstPaintArmer();
}

void CSplashWindow::PostNcDestroy() { delete this; }

CSplashWindow::~CSplashWindow() {
  if (SplashWnd == this) SplashWnd = nullptr;
}

void CSplashWindow::OnPaint() {
  CPaintDC dc(this);
  CDC memory;
  if (memory.CreateCompatibleDC(&dc)) {
    BITMAP bm{};
    m_bitmap.GetBitmap(&bm);
    CBitmap* old = memory.SelectObject(&m_bitmap);
    dc.BitBlt(0, 0, bm.bmWidth, bm.bmHeight, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
  }
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(RGB(255, 255, 0));
  const CString name = ProgramVersion.Format(1);
  const CSize nameSize = Extent(dc, name, 32, 13);
  const int nameX = (kPictureWidth - nameSize.cx) / 2;
  DrawLine(dc, name, 32, 13, nameX, 40);
  const CString edition = EditionWord ? EditionWord : "";
  const CSize editionSize = Extent(dc, edition, 18, 10);
  DrawLine(dc, edition, 18, 10, nameX + nameSize.cx - editionSize.cx, 40 + nameSize.cy);
  const CSize noticeSize = Extent(dc, kNotice, 14, 6);
  DrawLine(dc, kNotice, 14, 6, (kPictureWidth - noticeSize.cx) / 2, 300);
}
