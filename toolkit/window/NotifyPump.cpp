#include "window/NotifyPump.h"

#include "model/Control.h"

namespace ui {

const std::vector<CNotifyPump::NotifyEntry>& CNotifyPump::NotifyMap() const {
  static const std::vector<NotifyEntry> empty;
  return empty;
}

bool CNotifyPump::LoopDispatch(UiNotification& msg) {
  for (const NotifyEntry& entry : NotifyMap()) {
    if (entry.type == nullptr || msg.sType != entry.type) continue;
    if (entry.senderName != nullptr &&
        (msg.pSender == nullptr || msg.pSender->GetName() != entry.senderName)) {
      continue;
    }
    (this->*entry.handler)(msg);
    return true;
  }
  return false;
}

}  // namespace ui
