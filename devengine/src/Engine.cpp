#include "Engine.h"

#include <algorithm>

#include "ScriptValue.h"

namespace devengine {
namespace {

// Keeps a call's state registered as live while the native function runs.
class LiveState {
 public:
  explicit LiveState(const ExecState* state) : state_(state) { GetEngine().liveStates.push_back(state); }
  ~LiveState() {
    auto& states = GetEngine().liveStates;
    auto it = std::find(states.begin(), states.end(), state_);
    if (it != states.end()) states.erase(it);
  }
  LiveState(const LiveState&) = delete;
  LiveState& operator=(const LiveState&) = delete;

 private:
  const ExecState* state_;
};

}  // namespace

Engine& GetEngine() {
  static Engine engine;
  return engine;
}

View* FindView(wkeWebView handle) {
  for (auto& view : GetEngine().views) {
    if (reinterpret_cast<wkeWebView>(view.get()) == handle) return view.get();
  }
  return nullptr;
}

bool IsLiveState(jsExecState state) {
  auto* candidate = reinterpret_cast<const ExecState*>(state);
  if (!candidate) return false;
  for (const ExecState* s : GetEngine().liveStates) {
    if (s == candidate) return true;
  }
  for (auto& view : GetEngine().views) {
    if (&view->global == candidate) return true;
  }
  return false;
}

void BindFunction(const std::string& name, jsNativeFunction function, unsigned argCount) {
  if (name.empty() || !function) return;
  GetEngine().bindings[name] = Binding{function, argCount};
}

const Binding* BindingFor(const View& view, const std::string& name) {
  auto pinned = view.pinned.find(name);
  if (pinned != view.pinned.end()) return &pinned->second;
  auto global = GetEngine().bindings.find(name);
  if (global != GetEngine().bindings.end()) return &global->second;
  return nullptr;
}

bool CallFunction(View* view, const std::string& name, const std::vector<jsValue>& args, jsValue* result,
                  std::string* error) {
  const Binding* binding = BindingFor(*view, name);
  if (!binding) {
    *error = name + " is not defined";
    return false;
  }
  jsNativeFunction function = binding->function;
  ExecState state;
  state.view = view;
  state.args = args;
  view->lastCall = name;
  ++view->calls;
  LiveState live(&state);
  *result = function(reinterpret_cast<jsExecState>(&state));
  return true;
}

bool CallFromText(View* view, const std::string& callText, jsValue* result, std::string* error) {
  std::string name;
  std::vector<jsValue> args;
  if (!ParseCall(callText, &name, &args, error)) return false;
  return CallFunction(view, name, args, result, error);
}

jsValue RunScript(View* view, const std::string& script) {
  view->scripts.push_back(script);
  if (view->state != LoadState::Loaded) return MakeUndefined();
  auto declared = view->page.returns.find(LeadingFunctionName(script));
  if (declared == view->page.returns.end()) return MakeUndefined();
  jsValue value = MakeUndefined();
  std::string error;
  if (!ParseLiteral(declared->second, &value, &error)) return MakeUndefined();
  return value;
}

}  // namespace devengine
