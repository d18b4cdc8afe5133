#pragma once
// The own timers of the client's windows (ids in the window range of the toolkit, 1 - 999).
#include <windows.h>

// One-shot, 100 ms after a long-lived window's initialisation: the desktop becomes its owner.
constexpr UINT_PTR TIMER_DESKTOP_OWNER = 10;
// One-shot, 100 ms after the main frame's initialisation when the venue starts minimised: logo
// mode.
constexpr UINT_PTR TIMER_START_LOGO = 50;
constexpr UINT kWindowTimerPeriodMs = 100;
