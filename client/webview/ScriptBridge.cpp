#include "ScriptBridge.h"

#include <windows.h>

#include <string>

#include "ClientLog.h"
#include "ClientMessages.h"
#include "TextConvert.h"
#include "WebEngine.h"

namespace {

// A script's argument; a missing one converts as the engine converts undefined.
int ArgInt(jsExecState state, int index) { return WkeCall(jsToInt, state, WkeCall(jsArg, state, index)); }

// Copied at once: the engine's text lives only until its next conversion.
std::string ArgText(jsExecState state, int index) {
  const char* text = WkeCall(jsToString, state, WkeCall(jsArg, state, index));
  return text != nullptr ? std::string(text) : std::string();
}

jsValue Undefined() { return WkeCall(jsUndefined); }

// A null window handle would make PostMessageW a message to this thread's queue: skipped.
void PostToMainFrame(WPARAM code, LPARAM lParam = 0) {
  if (MainFrameHwnd != nullptr) PostMessageW(MainFrameHwnd, WM_MF_SCRIPT, code, lParam);
}

// Sent, so that the main frame handles it inside the script call, and a text the lParam points
// to stays valid until the handler has returned.
void SendToMainFrame(WPARAM code, LPARAM lParam) {
  if (MainFrameHwnd != nullptr) SendMessageW(MainFrameHwnd, WM_MF_SCRIPT, code, lParam);
}

void SendTextToMainFrame(WPARAM code, const std::string& text) {
  SendToMainFrame(code, reinterpret_cast<LPARAM>(text.c_str()));
}

template <WPARAM Code>
jsValue __cdecl PostCode(jsExecState) {
  PostToMainFrame(Code);
  return Undefined();
}

jsValue __cdecl OnBuyProductSuccess(jsExecState state) {
  SendToMainFrame(SCRIPT_BUY_SUCCESS, ArgInt(state, 0));
  return Undefined();
}

jsValue __cdecl SendMessageFn(jsExecState state) {
  const std::string text = IntToString(ArgInt(state, 0));
  SendTextToMainFrame(SCRIPT_SEND_MESSAGE, text);
  return Undefined();
}

jsValue __cdecl LoopTempOrder(jsExecState state) {
  const std::string text = ArgText(state, 0);
  SendTextToMainFrame(SCRIPT_LOOP_TEMP_ORDER, text);
  // The raw engine value 1, not a value the engine made.
  return 1;
}

jsValue __cdecl StartCompere(jsExecState state) {
  const std::string text = ArgText(state, 0);
  LogDebug("compere:" + text);
  SendTextToMainFrame(SCRIPT_START_COMPERE, text);
  return Undefined();
}

jsValue __cdecl ParentAddCart(jsExecState state) {
  const int count = ArgInt(state, 0);
  LogDebug("js_parent_add_cart:" + IntToString(count));
  SendToMainFrame(SCRIPT_PARENT_ADD_CART, count);
  return Undefined();
}

// ---- Web dialogs: one instance of each function per dialog handle ----

template <HWND* Dialog>
void PostToDialog(UINT message, WPARAM wParam, LPARAM lParam) {
  if (*Dialog != nullptr) PostMessageW(*Dialog, message, wParam, lParam);
}

template <HWND* Dialog, UINT Message, WPARAM WParam>
jsValue __cdecl DialogPost(jsExecState) {
  PostToDialog<Dialog>(Message, WParam, 0);
  return Undefined();
}

template <HWND* Dialog, UINT Message>
jsValue __cdecl DialogPostPoint(jsExecState state) {
  if (*Dialog != nullptr) {
    const int x = ArgInt(state, 0);
    const int y = ArgInt(state, 1);
    PostMessageW(*Dialog, Message, static_cast<WPARAM>(x), static_cast<LPARAM>(y));
  }
  return Undefined();
}

template <HWND* Dialog>
void BindDialogSet() {
  WkeCall(jsBindFunction, "CloseWindow", &DialogPost<Dialog, WM_DLG_CLOSE, 0>, 0u);
  WkeCall(jsBindFunction, "MinWindow", &DialogPost<Dialog, WM_SYSCOMMAND, SC_MINIMIZE>, 0u);
  WkeCall(jsBindFunction, "MaxWindow", &DialogPost<Dialog, WM_SYSCOMMAND, SC_MAXIMIZE>, 0u);
  WkeCall(jsBindFunction, "RestoreWindow", &DialogPost<Dialog, WM_SYSCOMMAND, SC_RESTORE>, 0u);
  WkeCall(jsBindFunction, "CaptionButtonDown", &DialogPostPoint<Dialog, WM_DLG_CAPTION_DOWN>, 2u);
  WkeCall(jsBindFunction, "CaptionMouseMove", &DialogPostPoint<Dialog, WM_DLG_CAPTION_MOVE>, 2u);
  WkeCall(jsBindFunction, "CaptionButtonUp", &DialogPost<Dialog, WM_DLG_CAPTION_UP, 0>, 0u);
}

}  // namespace

void BindShopFunctions() {
  WkeCall(jsBindFunction, "onBuyProductSuccess", &OnBuyProductSuccess, 1u);
  WkeCall(jsBindFunction, "SetForm_Mini", &PostCode<SCRIPT_SET_FORM_MINI>, 0u);
  WkeCall(jsBindFunction, "SetForm_Max", &PostCode<SCRIPT_SET_FORM_MAX>, 0u);
  WkeCall(jsBindFunction, "SetForm_Min", &PostCode<SCRIPT_SET_FORM_MIN>, 0u);
  WkeCall(jsBindFunction, "SendMessage", &SendMessageFn, 1u);
  WkeCall(jsBindFunction, "Loop_TempOrder", &LoopTempOrder, 1u);
  WkeCall(jsBindFunction, "GetLeftTimeLength", &PostCode<SCRIPT_GET_LEFT_TIME>, 0u);
  WkeCall(jsBindFunction, "GetLeftTimeLength_lol", &PostCode<SCRIPT_GET_LEFT_TIME_LOL>, 0u);
  WkeCall(jsBindFunction, "GetLeftTimeLength_xy", &PostCode<SCRIPT_GET_LEFT_TIME_XY>, 0u);
  WkeCall(jsBindFunction, "WebBrowserRefresh", &PostCode<SCRIPT_WEB_REFRESH>, 0u);
  // Registered twice under one name; which one the page reaches is the engine's matter.
  WkeCall(jsBindFunction, "SetCX", &PostCode<SCRIPT_SET_CX>, 0u);
  WkeCall(jsBindFunction, "SetCX", &PostCode<SCRIPT_SET_CX_AGAIN>, 0u);
  WkeCall(jsBindFunction, "SetFD", &PostCode<SCRIPT_SET_FD>, 0u);
  WkeCall(jsBindFunction, "Start_Compere", &StartCompere, 1u);
  WkeCall(jsBindFunction, "parent_add_cart", &ParentAddCart, 1u);
}

void BindDialogFunctions(WebDialog dialog) {
  switch (dialog) {
    case WebDialog::Call:
      BindDialogSet<&CallDialogHwnd>();
      break;
    case WebDialog::Leave:
      BindDialogSet<&LeaveDialogHwnd>();
      break;
    case WebDialog::Song:
      BindDialogSet<&SongDialogHwnd>();
      break;
  }
}
