// gallery: a developer's view of the platform layer (options: see kUsage).
#include <cairo.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "CommCtrlPage.h"
#include "CommDlgPage.h"
#include "CommonDialogsPage.h"
#include "ControlsPage.h"
#include "DrawingPage.h"
#include "FramePage.h"
#include "platform/gfx/Dc.h"
#include "platform/gfx/DcImpl.h"
#include "platform/host/sdl/SdlHost.h"

namespace {

const char kUsage[] =
    "usage: gallery [--png FILE | [--frame | --sheet] [--screenshot FILE [--after MS] [--box]]] [--headless]\n"
    "  (no option)         opens the controls dialog on the display\n"
    "  --png FILE          draws without a display: the drawing page into FILE, the\n"
    "                      controls dialog and the common dialogs into PNGs beside it\n"
    "                      (FILE-controls.png, FILE-question.png, ...)\n"
    "  --screenshot FILE   opens the controls dialog on the display and writes what\n"
    "                      its windows show into FILE\n"
    "  --after MS          with --screenshot: wait MS milliseconds first (500)\n"
    "  --box               with --screenshot: the message box open over the dialog\n"
    "                      instead of the dropped combo box\n"
    "  --frame             the main-frame page (tool bar, status bar) instead\n"
    "  --sheet             the property sheet of common controls instead\n"
    "  --headless          use no display even when one is there\n"
    "  --help              shows this text\n";

int WritePng(const char* path) {
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, gallery::kPageWidth, gallery::kPageHeight);
  const RECT all{0, 0, gallery::kPageWidth, gallery::kPageHeight};
  CDC dc;
  dc.Attach(CreateSurfaceDC(surface, 0, 0, all));
  gallery::DrawDrawingPage(dc);
  DeleteSurfaceDC(dc.Detach());
  cairo_surface_flush(surface);
  const cairo_status_t status = cairo_surface_write_to_png(surface, path);
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS) {
    std::fprintf(stderr, "gallery: cannot write %s: %s\n", path, cairo_status_to_string(status));
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const char* screenshot = nullptr;
  int afterMs = 500;
  bool withBox = false;
  bool frame = false;
  bool sheet = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--png") == 0 && i + 1 < argc) {
      int rc = WritePng(argv[i + 1]);
      if (!rc) rc = gallery::WriteControlsPng(argv[i + 1]);
      if (!rc) rc = gallery::WriteCommonDialogsPngs(argv[i + 1]);
      if (!rc) rc = gallery::WriteCommDlgPngs(argv[i + 1]);
      if (rc == 0) rc = gallery::WriteCommCtrlPngs(argv[i + 1]);
      return rc ? rc : gallery::WriteFramePng(argv[i + 1]);
    }
    if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc) screenshot = argv[++i];
    else if (std::strcmp(argv[i], "--after") == 0 && i + 1 < argc) afterMs = std::atoi(argv[++i]);
    else if (std::strcmp(argv[i], "--box") == 0) withBox = true;
    else if (std::strcmp(argv[i], "--frame") == 0) frame = true;
    else if (std::strcmp(argv[i], "--sheet") == 0) sheet = true;
    else if (std::strcmp(argv[i], "--headless") != 0) {
      std::fprintf(stderr, "gallery: unknown option %s\n%s", argv[i], kUsage);
      return 2;
    }
  }
  if (!platform::SelectHost(argc, argv)) {
    std::fprintf(stderr, "gallery: no display (DISPLAY unset, or --headless); use --png FILE\n");
    return 1;
  }
  if (frame) return gallery::RunFrame(screenshot, afterMs);
  if (sheet) return gallery::RunCommCtrl(screenshot, afterMs);
  return gallery::RunControls(screenshot, afterMs, withBox);
}
