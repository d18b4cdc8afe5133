#pragma once
// The web dialog of the karaoke request page.
#include "WebDialogWindow.h"
#include "WebkitUI.h"

struct SongDialogTraits {
  using View = WebkitUI3;
  static constexpr const wchar_t* kClassName = L"SongDialog";
  static constexpr const wchar_t* kSkinFile = L"Xmls\\SongDialog.xml";
  static constexpr const wchar_t* kViewClass = L"WebkitUI3";
  static constexpr int kWidth = 500;
  static constexpr int kHeight = 350;
  static constexpr ServicePage kPage = ServicePage::Karaoke;
  static constexpr WebDialog kBridge = WebDialog::Song;
  static HWND& Handle() { return SongDialogHwnd; }
};

class SongDialog : public WebDialogWindow<SongDialogTraits> {};
