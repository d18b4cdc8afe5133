#pragma once
// The venue's tool strip: one button per tool the venue switched on, at one of six places on
// the desktop; in place 5 it is attached above the logo or the main frame, which move it.
#include "window/WindowImplBase.h"

class TipDialog : public ui::WindowImplBase {
 public:
  LPCWSTR WindowClassName() const override { return L"TipDialog"; }
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnInit() override;
  void OnClick(ui::UiNotification& msg) override;
  LPCWSTR SkinFile() override { return L"Xmls\\TipDialog.xml"; }

  // The strip's size as computed at initialisation (0 x 0 without buttons); the main frame and
  // the logo read it to place the strip in place 5.
  int StripWidth() const { return width_; }
  int StripHeight() const { return height_; }

 private:
  int x_ = 0;
  int y_ = 0;
  int width_ = 0;
  int height_ = 0;
};
