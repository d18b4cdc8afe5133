#pragma once
// The web view controls: one per window kind, each showing one engine view over its own
// rectangle. They differ only in their names and in the document-ready notice:
//
//   WebkitUI  "WebKit"  (MainFrame)    WM_MF_PAGE_READY  to MainFrameHwnd
//   WebkitUI1 "WebKit1" (CallDialog)   WM_DLG_PAGE_READY to CallDialogHwnd
//   WebkitUI2 "WebKit2" (LeaveDialog)  WM_DLG_PAGE_READY to LeaveDialogHwnd
//   WebkitUI3 "WebKit3" (SongDialog)   WM_DLG_PAGE_READY to SongDialogHwnd
//
// Each derives from the control base directly. The control does not destroy its view: the view's
// window goes with the window that holds the control.
#include <string>
#include <string_view>

#include "WebEngine.h"
#include "model/Control.h"

// clang-format off
#define ORV_WEBKIT_CONTROL(Name)                                                         \
  class Name : public ui::CControlUI {                                                   \
   public:                                                                               \
    /* A new control for its layout element (compared without regard to case), or null. */ \
    static Name* CreateFor(const wchar_t* elementName);                                  \
    ~Name() override;                                                                    \
    std::wstring ClassName() const override;                                             \
    void* InterfaceFor(std::wstring_view name) override;                                 \
    void SetPos(const ui::Rect& pos) override;                                           \
    void SetInnerVisible(bool visible) override;                                         \
    void Focus() override;                                                               \
    void OnAttach() override;                                                            \
    void OnEvent(ui::UiEvent& event) override;                                           \
                                                                                         \
    void LoadUrl(const std::string& utf8Url);                                            \
    std::wstring RunScript(const std::wstring& script);                                  \
    void ShowDevTools();                                                                 \
    wkeWebView EngineView() const { return view; }                                       \
                                                                                         \
   private:                                                                              \
    static void __cdecl OnDocumentReady(wkeWebView readyView, void* param);              \
    wkeWebView view = nullptr;                                                           \
  };
// clang-format on

ORV_WEBKIT_CONTROL(WebkitUI)
ORV_WEBKIT_CONTROL(WebkitUI1)
ORV_WEBKIT_CONTROL(WebkitUI2)
ORV_WEBKIT_CONTROL(WebkitUI3)

#undef ORV_WEBKIT_CONTROL
