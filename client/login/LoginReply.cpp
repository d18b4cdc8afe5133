#include "LoginReply.h"

#include <json/json.h>

#include "ClientLog.h"
#include "LoginDataBase.h"
#include "TextConvert.h"

namespace {

// JsonCpp's own conversions: a negative, out-of-range or non-numeric value throws.
int32_t ReadUnsigned(const Json::Value& value) { return static_cast<int32_t>(value.asUInt()); }

// A flag sent as text or number: anything but the exact text "0" is on.
bool ReadFlag(const Json::Value& value) { return value.asString() != "0"; }

// Replacing the cache: the statements run in one transaction, so that a store that fails for
// storage reasons (a full disk, a lock held past the busy time-out) leaves the previous profile
// and tools for the next offline start instead of an emptied cache.
class CacheReplacement {
 public:
  explicit CacheReplacement(LoginDataBase& cache) : cache_(cache), inTransaction_(cache.BeginTransaction()) {}
  CacheReplacement(const CacheReplacement&) = delete;
  CacheReplacement& operator=(const CacheReplacement&) = delete;
  // Whatever was stored so far stays unless a store failed: a reply that turns out malformed
  // half-way keeps what was read before the fault.
  ~CacheReplacement() {
    try {
      Finish();
    } catch (...) {
    }
  }

  void Clear() {
    Store(cache_.ClearInfoTable());
    Store(cache_.ClearToolTable());
  }

  void AddInfo(const VenueProfile& profile) {
    if (failed_) return;
    // A venue id that is not an integer is refused by the cache itself: the reply's profile
    // is not stored, as before, and the replacement goes on.
    bool stored = cache_.AddInfo(profile);
    if (!stored && IsCacheableVenueId(profile.id)) failed_ = true;
  }

  void AddTool(const ToolEntry& tool) {
    if (!failed_) Store(cache_.AddTool(tool));
  }

  void Finish() {
    if (finished_) return;
    finished_ = true;
    if (!inTransaction_) return;
    if (failed_ || !cache_.CommitTransaction()) cache_.RollbackTransaction();
  }

 private:
  // Once a store failed the replacement is undone, and each further statement would only
  // wait out the busy time-out again.
  void Store(bool stored) {
    if (!failed_ && !stored) failed_ = true;
  }

  LoginDataBase& cache_;
  bool inTransaction_;
  bool failed_ = false;
  bool finished_ = false;
};

}  // namespace

bool ParseLoginReply(const std::string& reply, VenueProfile& profile, LoginDataBase& cache) {
  Json::Value root;
  {
    Json::Reader reader;
    bool parsed = false;
    try {
      parsed = reader.parse(reply, root);
    } catch (...) {
      parsed = false;
    }
    if (!parsed) {
      LogError("Parse Login data failed.");
      return false;
    }
  }
  try {
    const Json::Value& doc = root;
    profile.errcode = doc["errcode"].asInt();
    if (profile.errcode != 0) {
      profile.errmsg = doc["errmsg"].asString();
      LogError(WideToAnsi(Utf8ToWide(profile.errmsg)));
      return false;
    }
    const Json::Value& data = doc["data"];
    profile.token = data["token"].asString();
    profile.service_ip = data["service_ip"].asString();
    profile.service_ips = data["service_ips"].asString();
    profile.service_port = ReadUnsigned(data["service_port"]);
    profile.client_hide_time = ReadUnsigned(data["client_hide_time"]);
    profile.skin = ReadUnsigned(data["skin"]);
    profile.id = data["id"].asString();
    profile.realname = data["realname"].asString();
    profile.client_is_mini = ReadFlag(data["client_is_mini"]);
    profile.client_position = ReadUnsigned(data["client_position"]);

    CacheReplacement replacement(cache);
    replacement.Clear();
    replacement.AddInfo(profile);
    const Json::Value& toolbar = data["client_toolbar"];
    for (Json::ArrayIndex i = 0; i < toolbar.size(); ++i) {
      const Json::Value& element = toolbar[i];
      ToolEntry tool;
      tool.idx = static_cast<int32_t>(i);
      tool.name = element["name"].asString();
      tool.open = ReadFlag(element["is_open"]);
      tool.img = element["img"].asString();
      tool.path = element["path"].asString();
      tool.type = ReadUnsigned(element["type"]);
      replacement.AddTool(tool);
      profile.client_toolbar.push_back(tool);
    }
    replacement.Finish();
    return true;
  } catch (...) {
    profile.errmsg = WideToUtf8(L"解析登录数据异常。");
    return false;
  }
}

bool ParseLoginReply(const std::string& reply) {
  return ParseLoginReply(reply, GetVenueProfile(), GetLoginDataBase());
}
