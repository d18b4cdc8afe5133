#pragma once
// The floating logo that stands for the client while the shop window is hidden: it stays inside
// the work area, a click on it brings the shop window back, and an attached tool strip follows
// it.
#include <vector>

#include "window/WindowImplBase.h"

class TipDialog;

class LogoDialog : public ui::WindowImplBase {
 public:
  LPCWSTR WindowClassName() const override { return L"LogoDialog"; }
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnInit() override;
  LPCWSTR SkinFile() override { return L"Xmls\\tv_LogoDialog.xml"; }
  const std::vector<NotifyEntry>& NotifyMap() const override;

  // The strip that follows the logo (not owned); null for none.
  void AttachToolStrip(TipDialog* strip) { toolStrip_ = strip; }

 private:
  void KeepInside(WINDOWPOS& pos);
  void OnReleased();

  unsigned char pressed_ = 0;
  unsigned char moveLoop_ = 0;  // inside the system's move loop
  TipDialog* toolStrip_ = nullptr;
};
