#pragma once
// The venue's tool strip: one button per tool the venue switched on, at one of six places on
// the desktop; in place 5 it is attached above the logo or the main frame, which move it.
#include <string>

#include "window/WindowImplBase.h"

namespace ui {
class CTileLayoutUI;
}
class CallDialog;
class LeaveDialog;
class SongDialog;
struct ToolEntry;

class TipDialog : public ui::WindowImplBase {
 public:
  LPCWSTR WindowClassName() const override { return L"TipDialog"; }
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnInit() override;
  void OnClick(ui::UiNotification& msg) override;
  LPCWSTR SkinFile() override { return L"Xmls\\TipDialog.xml"; }
  ui::CControlUI* CreateCustomControl(const wchar_t* elementName) override;

  // The strip's size as computed at initialisation (0 x 0 without buttons); the main frame and
  // the logo read it to place the strip in place 5.
  int StripWidth() const { return width_; }
  int StripHeight() const { return height_; }

 private:
  void AddButtons();
  void AddBuiltInButton(const ToolEntry& tool);
  void AddProgramButton(const ToolEntry& tool);
  void AddButton(const std::wstring& name, const std::wstring& image, UINT_PTR tag,
                 const std::wstring& program);
  void PlaceStrip();

  ui::CTileLayoutUI* toolList_ = nullptr;
  CallDialog* callDialog_ = nullptr;
  LeaveDialog* leaveDialog_ = nullptr;
  SongDialog* songDialog_ = nullptr;
  int buttonCount_ = 0;
  int x_ = 0;
  int y_ = 0;
  int width_ = 0;
  int height_ = 0;
};
