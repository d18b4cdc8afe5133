#include "MainFrameRun.h"

#include "LoginDataBase.h"
#include "MainFrame.h"
#include "MsgDialog.h"
#include "StartSteps.h"
#include "VenueProfile.h"

void RunMainFrame() {
  VenueProfile& profile = GetVenueProfile();
  LoginDataBase& cache = GetLoginDataBase();
  if (!cache.LoadInfo(profile)) {
    RunMsgDialog(L"网吧信息出错，程序退出。", 0);
    return;
  }
  // The list holds each cached tool once, whatever an earlier login left in it.
  profile.client_toolbar.clear();
  cache.LoadTools(profile.client_toolbar);
  MarkStartStep("cache loaded");

  MainFrame frame;
  if (frame.Create(nullptr, kMainFrameTitle, WS_CAPTION, WS_EX_TOOLWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                   CW_USEDEFAULT, CW_USEDEFAULT) == nullptr) {
    return;
  }
  MarkStartStep("main frame created");
  frame.ShowModal();
}
