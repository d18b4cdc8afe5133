#pragma once
// The own timers of the client's long-lived windows (ids in the window range of the toolkit).
#include <windows.h>

constexpr UINT TIMER_DESKTOP_OWNER = 10;  // the desktop becomes the window's owner
constexpr UINT TIMER_START_LOGO = 50;     // the main frame starts in logo mode
constexpr UINT kWindowTimerPeriodMs = 100;
