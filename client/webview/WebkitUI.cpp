#include "WebkitUI.h"

#include "ClientMessages.h"
#include "WebViewCore.h"
#include "model/UiEvent.h"

namespace {

// Each class's own process-wide flag: its notice is posted at most once per process.
bool g_shopReady = false;
bool g_callReady = false;
bool g_leaveReady = false;
bool g_songReady = false;

const webview::ViewClass kWebkitUI{L"WebkitUI", L"WebKit", WM_MF_PAGE_READY, &MainFrameHwnd, &g_shopReady};
const webview::ViewClass kWebkitUI1{L"WebkitUI1", L"WebKit1", WM_DLG_PAGE_READY, &CallDialogHwnd,
                                    &g_callReady};
const webview::ViewClass kWebkitUI2{L"WebkitUI2", L"WebKit2", WM_DLG_PAGE_READY, &LeaveDialogHwnd,
                                    &g_leaveReady};
const webview::ViewClass kWebkitUI3{L"WebkitUI3", L"WebKit3", WM_DLG_PAGE_READY, &SongDialogHwnd,
                                    &g_songReady};

bool SameText(std::wstring_view a, const wchar_t* b) {
  return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b, -1, TRUE) == CSTR_EQUAL;
}

}  // namespace

// clang-format off
#define ORV_WEBKIT_CONTROL_DEFINE(Name)                                                     \
  Name* Name::CreateFor(const wchar_t* elementName) {                                       \
    if (elementName == nullptr || !SameText(elementName, k##Name.element)) return nullptr;  \
    return new Name;                                                                        \
  }                                                                                         \
  Name::~Name() = default;                                                                  \
  std::wstring Name::ClassName() const { return k##Name.className; }                        \
  void* Name::InterfaceFor(std::wstring_view name) {                                        \
    if (SameText(name, k##Name.className)) return this;                                     \
    return CControlUI::InterfaceFor(name);                                                  \
  }                                                                                         \
  void Name::SetPos(const ui::Rect& pos) {                                                  \
    CControlUI::SetPos(pos);                                                                \
    webview::PlaceView(view, GetPos());                                                     \
  }                                                                                         \
  void Name::SetInnerVisible(bool visible) {                                                \
    CControlUI::SetInnerVisible(visible);                                                   \
    webview::ShowViewWindow(view, visible);                                                 \
  }                                                                                         \
  /* The toolkit's own focus stays where it is: the page's window takes the keyboard. */    \
  void Name::Focus() { webview::FocusViewWindow(view); }                                    \
  void Name::OnAttach() {                                                                   \
    if (view == nullptr) view = webview::AttachView(*this, &Name::OnDocumentReady);         \
  }                                                                                         \
  void Name::OnEvent(ui::UiEvent& event) {                                                  \
    if (!webview::ForwardEvent(view, *this, event)) CControlUI::OnEvent(event);             \
  }                                                                                         \
  void Name::LoadUrl(const std::string& utf8Url) { webview::LoadUrl(view, utf8Url); }       \
  std::wstring Name::RunScript(const std::wstring& script) {                                \
    return webview::RunScript(view, script);                                                \
  }                                                                                         \
  void Name::ShowDevTools() { webview::ShowDevTools(view); }                                \
  void __cdecl Name::OnDocumentReady(wkeWebView readyView, void*) {                         \
    webview::DocumentReady(k##Name, readyView);                                             \
  }
// clang-format on

ORV_WEBKIT_CONTROL_DEFINE(WebkitUI)
ORV_WEBKIT_CONTROL_DEFINE(WebkitUI1)
ORV_WEBKIT_CONTROL_DEFINE(WebkitUI2)
ORV_WEBKIT_CONTROL_DEFINE(WebkitUI3)
