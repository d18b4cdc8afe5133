#pragma once
// A control that records every toolkit event it receives, to see how window messages become
// events.
#include <vector>

#include "model/Control.h"
#include "model/UiEvent.h"

namespace webtest {

class EventRecorder : public ui::CControlUI {
 public:
  std::wstring ClassName() const override { return L"EventRecorder"; }
  void OnEvent(ui::UiEvent& event) override {
    events.push_back(event);
    CControlUI::OnEvent(event);
  }
  // The last event of a type, or null.
  const ui::UiEvent* Last(int type) const {
    for (auto it = events.rbegin(); it != events.rend(); ++it) {
      if (it->Type == type) return &*it;
    }
    return nullptr;
  }
  std::vector<ui::UiEvent> events;
};

}  // namespace webtest
