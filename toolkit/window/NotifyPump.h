#pragma once
// The interfaces through which a window hears from its controls and sees queued messages, and
// the notification map that routes a notification type to a handler.
#include <windows.h>

#include <string>
#include <vector>

namespace ui {

class CControlUI;

// What a control tells its window (to Notify): "click", "timer", "menu" and so on.
struct UiNotification {
  std::wstring sType;
  std::wstring sVirtualWnd;  // always empty in this toolkit
  CControlUI* pSender = nullptr;
  DWORD dwTimestamp = 0;
  POINT ptMouse{};
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

class INotifyUI {
 public:
  virtual void Notify(UiNotification& msg) = 0;

 protected:
  ~INotifyUI() = default;
};

class IMessageFilterUI {
 public:
  // Sees a queued message before it is dispatched; setting `handled` stops it.
  virtual LRESULT PreFilterMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) = 0;

 protected:
  ~IMessageFilterUI() = default;
};

class CNotifyPump {
 public:
  // One entry of a notification map: a type, optionally a sender name, and the handler.
  struct NotifyEntry {
    const wchar_t* type;
    const wchar_t* senderName;  // null: any sender
    void (CNotifyPump::*handler)(UiNotification&);
  };

  virtual ~CNotifyPump() = default;
  // The window's map; the first entry that matches gets the notification.
  virtual const std::vector<NotifyEntry>& NotifyMap() const;
  // True when an entry took the notification.
  bool LoopDispatch(UiNotification& msg);
};

// The member-function type of map handlers, for windows declaring their own maps.
template <typename T>
CNotifyPump::NotifyEntry MakeNotifyEntry(const wchar_t* type, const wchar_t* senderName,
                                         void (T::*handler)(UiNotification&)) {
  return CNotifyPump::NotifyEntry{type, senderName,
                                  static_cast<void (CNotifyPump::*)(UiNotification&)>(handler)};
}

}  // namespace ui
