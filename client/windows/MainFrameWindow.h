#pragma once
// The client's main window.

// Creates the main frame (no parent, title "Tamvik-客户端", style WS_CAPTION, extended style
// WS_EX_TOOLWINDOW, default position and size), runs it modally and destroys it. Returns when
// it has closed.
void RunMainFrameWindow();
