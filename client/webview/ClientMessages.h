#pragma once
// The client's custom window messages and the process-wide handles of the windows that receive
// them. Every number is defined here once; the same number means different things to the main
// frame and to a web dialog.
#include <windows.h>

// Web dialogs (CallDialog, LeaveDialog, SongDialog).
constexpr UINT WM_DLG_CAPTION_DOWN = WM_USER + 100;  // wParam x, lParam y from script: start dragging
constexpr UINT WM_DLG_CAPTION_MOVE = WM_USER + 101;  // wParam x, lParam y from script: drag step
constexpr UINT WM_DLG_CAPTION_UP = WM_USER + 102;    // end of drag
constexpr UINT WM_DLG_CLOSE = WM_USER + 103;         // hide the dialog
constexpr UINT WM_DLG_PAGE_READY = WM_USER + 330;    // the dialog's page document is ready

// Main frame.
constexpr UINT WM_MF_SHOW_LOGO = WM_USER + 101;
constexpr UINT WM_MF_SHOW_SMALL = WM_USER + 102;
constexpr UINT WM_MF_SHOW_LARGE = WM_USER + 103;
constexpr UINT WM_MF_PAGE_READY = WM_USER + 104;         // the shop page document is ready
constexpr UINT WM_MF_SCRIPT = WM_USER + 105;             // wParam: sub-code of the shop function
constexpr UINT WM_MF_MORE_PRODUCT = WM_USER + 106;       // sent by a second start of the client
constexpr UINT WM_MF_CHANGE_BIG_WINDOW = WM_USER + 107;  // wParam 1: large mode

// Sub-codes of WM_MF_SCRIPT; codes outside 1..100 are ignored by the main frame.
enum ShopScriptCode : WPARAM {
  SCRIPT_SET_FORM_MINI = 1,
  SCRIPT_SET_FORM_MAX = 2,
  SCRIPT_SET_FORM_MIN = 3,
  SCRIPT_SEND_MESSAGE = 4,
  SCRIPT_LOOP_TEMP_ORDER = 5,
  SCRIPT_GET_LEFT_TIME = 6,
  SCRIPT_GET_LEFT_TIME_LOL = 7,
  SCRIPT_GET_LEFT_TIME_XY = 8,
  SCRIPT_WEB_REFRESH = 9,
  SCRIPT_SET_CX = 10,
  SCRIPT_SET_CX_AGAIN = 11,
  SCRIPT_SET_FD = 12,
  SCRIPT_START_COMPERE = 13,
  SCRIPT_BUY_SUCCESS = 14,
  SCRIPT_PARENT_ADD_CART = 15,
  SCRIPT_SHOW_PAY_SUCCESS = 100,
};

// Each is written once by its window's initialisation and never cleared; null until then.
extern HWND MainFrameHwnd;
extern HWND CallDialogHwnd;
extern HWND LeaveDialogHwnd;
extern HWND SongDialogHwnd;
