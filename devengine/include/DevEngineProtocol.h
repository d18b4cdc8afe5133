#pragma once
// The control channel of the development web engine: what a harness in another process sends
// to a view's window with WM_COPYDATA, and what comes back. Described in devengine/README.md.
#include <windows.h>

namespace devengine {

// Window class of every view's own window (the window wkeGetHostHWND returns). Its window text
// is the address the view loaded last.
constexpr wchar_t kViewClassName[] = L"OrvDevEngineView";

// COPYDATASTRUCT::dwData of a request. The payload is UTF-8 text (no terminator needed).
constexpr ULONG_PTR kCmdCall = 0x4F520001;     // payload: Name(arg, ...) - call a bound function
constexpr ULONG_PTR kCmdStatus = 0x4F520002;   // payload: none - key=value lines
constexpr ULONG_PTR kCmdScripts = 0x4F520003;  // payload: none - every script run so far
constexpr ULONG_PTR kCmdText = 0x4F520004;     // payload: none - the page as shown, one line each

// The reply is sent back with WM_COPYDATA to the window passed as wParam of the request (if
// any), before the request returns; its dwData is the request's code with this bit added.
constexpr ULONG_PTR kReplyBit = 0x80;

// Result of the request's SendMessage: kResultOk, or kResultFailed (unknown command, unknown
// function, malformed call). A failed request still gets a reply that says why.
constexpr LRESULT kResultOk = 1;
constexpr LRESULT kResultFailed = 2;

}  // namespace devengine
