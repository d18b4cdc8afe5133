#pragma once
// Reading the service's login reply (JSON) into a venue profile. The caller decides where the
// accepted profile and tools are stored and what is logged.
#include <string>

#include "VenueProfile.h"

enum class LoginReplyRead {
  NotJson,    // not a JSON document: the profile is untouched
  Refused,    // "errcode" not 0: errcode and errmsg set, nothing else changed
  Malformed,  // a value of the wrong type or shape: what was read before it stays
  Accepted,   // "errcode" 0, read whole
};

// Where an accepted reply goes, in this order: the profile once its fields are read, then each
// tool of "client_toolbar".
class LoginReplyStore {
 public:
  virtual ~LoginReplyStore() = default;
  virtual void StoreProfile(const VenueProfile& profile) = 0;
  virtual void StoreTool(const ToolEntry& tool) = 0;
};

// Never throws. The tools are appended to the profile's list, which is not emptied first.
LoginReplyRead ReadLoginReply(const std::string& reply, VenueProfile& profile, LoginReplyStore& store);
