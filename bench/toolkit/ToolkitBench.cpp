// Times what a window's creation costs on the toolkit side: opening the embedded skin package,
// then for each of the client's eight windows building the control tree from its layout file,
// laying it out at the window's size and getting every image it names. Each window is built with
// a fresh manager, as a new window would be; decoded images come from the process's image cache,
// as they do for the client's windows, so the first run of a window pays for decoding its images
// (unless an earlier window decoded them) and later runs do not.
//
// Usage: orv_toolkit_bench [iterations]   (default 200)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "model/Control.h"
#include "model/LayoutBuilder.h"
#include "model/SkinPackage.h"
#include "model/SkinResource.h"
#include "render/GdiplusSession.h"
#include "render/ImageData.h"
#include "window/PaintManager.h"

namespace {

// Stands in for the client's web views and tool buttons, which live outside the toolkit.
class StandIn : public ui::CControlUI {
 public:
  std::wstring ClassName() const override { return L"StandInUI"; }
};

class AnyCustomElement : public ui::IDialogBuilderCallback {
 public:
  ui::CControlUI* CreateCustomControl(const wchar_t*) override { return new StandIn; }
};

struct WindowCase {
  const wchar_t* name;
  const wchar_t* file;
  int width;
  int height;
  std::vector<const wchar_t*> codeImages;  // images the window's code sets at start
};

class Clock {
 public:
  Clock() { QueryPerformanceFrequency(&freq_); }
  double NowUs() const {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1e6 / static_cast<double>(freq_.QuadPart);
  }

 private:
  LARGE_INTEGER freq_{};
};

struct Stats {
  double first = 0;
  double median = 0;
  double min = 0;
  int controls = 0;
  int images = 0;
};

Stats Summarise(std::vector<double> samples) {
  Stats s;
  s.first = samples.front();
  std::sort(samples.begin(), samples.end());
  s.min = samples.front();
  s.median = samples[samples.size() / 2];
  return s;
}

// One window: build, attach, lay out, decode. Returns false when the tree cannot be built.
bool BuildWindow(const WindowCase& w, const ui::SkinPackage& package, int& controls, int& images) {
  ui::PaintManager manager(package);
  AnyCustomElement factory;
  ui::LayoutBuilder builder;
  if (!manager.AttachRoot(builder.Build(w.file, &factory, manager))) return false;
  manager.LayoutRoot(ui::Rect{0, 0, w.width, w.height});
  controls = 0;
  images = 0;
  bool allDecoded = true;
  ui::VisitTree(manager.GetRoot(), [&](ui::CControlUI* control) {
    ++controls;
    std::vector<const ui::ImageDescriptor*> descriptors;
    control->CollectImages(descriptors);
    for (const ui::ImageDescriptor* d : descriptors) {
      ++images;
      allDecoded = manager.GetImage(d->file) != nullptr && allDecoded;
    }
  });
  for (const wchar_t* path : w.codeImages) {
    ++images;
    allDecoded = manager.GetImage(path) != nullptr && allDecoded;
  }
  return allDecoded;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int iterations = argc > 1 ? _wtoi(argv[1]) : 200;
  if (iterations < 1) iterations = 1;
  Clock clock;

  std::vector<double> openTimes;
  ui::SkinPackage package;
  for (int i = 0; i < iterations; ++i) {
    double t0 = clock.NowUs();
    bool ok = ui::OpenSkinResource(package, GetModuleHandleW(nullptr));
    openTimes.push_back(clock.NowUs() - t0);
    if (!ok) {
      std::printf("the skin package is missing from the executable\n");
      return 1;
    }
  }
  Stats open = Summarise(openTimes);
  std::printf("skin package: %zu entries; open (directory read) first %.1f us, median %.1f us\n",
              package.EntryCount(), open.first, open.median);

  // The imaging library's own start, once per process, on its own line: the first window that
  // decodes an image would pay for it otherwise. GdiplusStartup is quick under Wine, which loads
  // its codecs at the first decoding: a 1x1 picture's.
  const double gdiplusStart = clock.NowUs();
  if (!ui::EnsureGdiplus()) {
    std::printf("the imaging library (GDI+) does not start\n");
    return 1;
  }
  const double gdiplusStarted = clock.NowUs();
  if (!ui::WarmImagingLibrary()) {
    std::printf("the imaging library decodes nothing\n");
    return 1;
  }
  const double warmed = clock.NowUs();
  std::printf(
      "imaging library start: %.1f us (GdiplusStartup %.1f us, first decoding of a 1x1 picture %.1f us)\n",
      warmed - gdiplusStart, gdiplusStarted - gdiplusStart, warmed - gdiplusStarted);

  const std::vector<WindowCase> windows = {
      {L"MainFrame", L"Xmls\\MainFrame.xml", 900, 360, {}},
      {L"LogoDialog", L"Xmls\\tv_LogoDialog.xml", 250, 155, {}},
      {L"TipDialog",
       L"Xmls\\TipDialog.xml",
       90,
       386,
       {L"UI/icon_call.png", L"UI/icon_msg.png", L"UI/icon_shop.png", L"UI/icon_music.png"}},
      {L"CallDialog", L"Xmls\\CallDialog.xml", 500, 350, {}},
      {L"LeaveDialog", L"Xmls\\LeaveDialog.xml", 500, 600, {}},
      {L"SongDialog", L"Xmls\\SongDialog.xml", 500, 350, {}},
      {L"MsgDialog", L"Xmls\\MsgDialog.xml", 360, 240, {}},
      {L"LoginDialog", L"Xmls\\LoginDialog.xml", 360, 300, {L"UI\\tv_logo1.png"}},
  };
  std::printf("%d runs per window; build + layout + image decode, microseconds\n", iterations);
  std::printf("%-12s %8s %8s %8s %9s %7s\n", "window", "first", "median", "min", "controls", "images");
  double total = 0;
  double firstTotal = 0;
  for (const WindowCase& w : windows) {
    std::vector<double> samples;
    int controls = 0;
    int images = 0;
    for (int i = 0; i < iterations; ++i) {
      double t0 = clock.NowUs();
      bool ok = BuildWindow(w, package, controls, images);
      samples.push_back(clock.NowUs() - t0);
      if (!ok) {
        std::wprintf(L"%ls: the tree or an image could not be built\n", w.name);
        return 1;
      }
    }
    Stats s = Summarise(samples);
    total += s.median;
    firstTotal += s.first;
    std::wprintf(L"%-12ls %8.1f %8.1f %8.1f %9d %7d\n", w.name, s.first, s.median, s.min, controls, images);
  }
  std::printf("all eight windows, sum of firsts: %.1f us\n", firstTotal);
  std::printf("all eight windows, sum of medians: %.1f us\n", total);
  return 0;
}
