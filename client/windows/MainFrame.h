#pragma once
// The client's main window: the shop page in a borderless window, with the floating logo and the
// tool strip, switched between logo mode (only the logo shows), small mode and large mode.
#include <cstdint>

#include "window/WindowImplBase.h"

class LogoDialog;
class TipDialog;
class WebkitUI;

// The main frame's title, by which a second client finds the first.
extern const wchar_t kMainFrameTitle[];

class MainFrame : public ui::WindowImplBase {
 public:
  LPCWSTR WindowClassName() const override { return L"MainFrame"; }
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnInit() override;
  LPCWSTR SkinFile() override { return L"Xmls\\MainFrame.xml"; }
  ui::CControlUI* CreateCustomControl(const wchar_t* elementName) override;

 private:
  void ComputePlacement();
  void ShowLogoMode();
  void ShowSmallMode();
  void ShowLargeMode();
  void ShowAt(int x, int y, int width, int height);
  void ChangeBigWindow(bool large);
  void MoreProduct();
  void PaySuccess();
  void OnScript(WPARAM code);
  void PlaceStripAbove(int x, int y, int width);
  bool StripAttached() const;

  uint32_t smallWidth_ = 0;
  uint32_t smallHeight_ = 0;
  uint32_t largeWidth_ = 0;
  uint32_t largeHeight_ = 0;
  int32_t smallX_ = 0;
  int32_t smallY_ = 0;
  int32_t largeX_ = 0;
  int32_t largeY_ = 0;
  LogoDialog* logo_ = nullptr;
  TipDialog* toolStrip_ = nullptr;
  WebkitUI* shopView_ = nullptr;
  unsigned char large_ = 0;
  // For the start's timing lines.
  bool firstPaintSeen_ = false;
  bool pageReadySeen_ = false;
};
