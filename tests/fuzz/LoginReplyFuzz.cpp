// The login service's JSON reply, read into a profile with a store that records what it gets.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "LoginReplyRead.h"

namespace {

class CountingStore : public LoginReplyStore {
 public:
  void StoreProfile(const VenueProfile&) override { ++profiles; }
  void StoreTool(const ToolEntry& tool) override {
    if (profiles != 1 || tool.idx != tools) std::abort();
    ++tools;
  }
  int profiles = 0;
  int tools = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string reply(reinterpret_cast<const char*>(data), size);
  VenueProfile profile;
  CountingStore store;
  LoginReplyRead result = ReadLoginReply(reply, profile, store);
  switch (result) {
    case LoginReplyRead::NotJson:
    case LoginReplyRead::Refused:
      if (store.profiles != 0 || !profile.client_toolbar.empty()) std::abort();
      break;
    case LoginReplyRead::Accepted:
      if (store.profiles != 1 || profile.errcode != 0) std::abort();
      [[fallthrough]];
    case LoginReplyRead::Malformed:
      if (static_cast<size_t>(store.tools) != profile.client_toolbar.size()) std::abort();
      break;
  }
  return 0;
}
