#pragma once
// A window of the toolkit built from one layout file of the embedded skin, recording what the
// window base hands it, and helpers to drive and look at windows.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "RealInput.h"
#include "window/WindowImplBase.h"

namespace wintest {

class SkinWindow : public ui::WindowImplBase {
 public:
  explicit SkinWindow(std::wstring skinFile) : skinFile_(std::move(skinFile)) {}

  LPCWSTR WindowClassName() const override { return L"OrvTestSkinWindow"; }
  LPCWSTR SkinFile() override { return skinFile_.c_str(); }
  void OnInit() override { ++initCalls; }
  void OnClick(ui::UiNotification& msg) override {
    clickSenders.push_back(msg.pSender);
    WindowImplBase::OnClick(msg);
  }
  LRESULT PreFilterMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override {
    if (msg == WM_KEYDOWN) filteredKeys.push_back(wParam);
    return WindowImplBase::PreFilterMessage(msg, wParam, lParam, handled);
  }

  // Created as the client's dialogs are: popup, visible, caption bits the toolkit removes.
  HWND CreateAsDialog(const wchar_t* title = L"OrvTest");
  ui::CControlUI* Find(const wchar_t* name) { return GetPaintManager().FindControl(name); }

  int initCalls = 0;
  std::vector<ui::CControlUI*> clickSenders;
  std::vector<WPARAM> filteredKeys;

 private:
  std::wstring skinFile_;
};

// Starts the toolkit with this program's own skin resource.
void StartTestToolkit();
// Pumps this thread's messages for a while.
void Pump(DWORD ms);

struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> data;  // 0xAARRGGBB, rows top to bottom
  uint32_t At(int x, int y) const { return data[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
};
// The window's client area as the toolkit paints it (WM_PRINTCLIENT).
Pixels PrintClient(HWND hwnd);
// What the screen shows of the window's rectangle.
Pixels GrabScreen(HWND hwnd);
// Saves pixels as a PNG under the folder of ORV_TEST_OUTPUT (nothing when it is not set).
// With `alpha`, the pixels are premultiplied ARGB and keep their transparency.
bool SavePng(const Pixels& pixels, const std::wstring& name, bool alpha = false);

// Client point centre of a control.
POINT CenterOf(ui::CControlUI* control);
// A left click posted at a client point (down and up).
void PostClick(HWND hwnd, POINT client);
using testsupport::PressKey;
using testsupport::TypeUnicode;

}  // namespace wintest
