#pragma once
// One button of the tool strip: its icon as background image with its name below. It draws no
// state at all (no hot or pushed look, no colour, no border) and asks for no repaint when its
// state changes, so that hovering the strip changes nothing on screen.
#include <string>

#include "controls/Button.h"

class TipBtn : public ui::CButtonUI {
 public:
  std::wstring ClassName() const override { return L"TipBtn"; }
  void* InterfaceFor(std::wstring_view name) override;
  void DoPaint(ui::Canvas& canvas) override;
  void OnEvent(ui::UiEvent& event) override;

  // A program tool: the button starts this program when clicked.
  void SetProgram(const std::wstring& path) {
    program_ = true;
    programPath_ = path;
  }
  bool IsProgram() const { return program_; }
  const std::wstring& ProgramPath() const { return programPath_; }

  bool IsHotNow() const { return hot_; }
  bool IsPushedNow() const { return pushed_; }

 private:
  bool program_ = false;
  std::wstring programPath_;
  bool hot_ = false;
  bool pushed_ = false;
  bool captured_ = false;
};
