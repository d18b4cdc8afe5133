#include "LoginReply.h"

#include <optional>

#include "ClientLog.h"
#include "LoginDataBase.h"
#include "LoginReplyRead.h"
#include "TextConvert.h"

namespace {

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

// The cache is replaced when the reply's profile has been read: emptied, then the profile and
// each tool stored, in one transaction that ends when the reading ends.
class CacheStore : public LoginReplyStore {
 public:
  explicit CacheStore(LoginDataBase& cache) : cache_(cache) {}
  void StoreProfile(const VenueProfile& profile) override {
    replacement_.emplace(cache_);
    replacement_->Clear();
    replacement_->AddInfo(profile);
  }
  void StoreTool(const ToolEntry& tool) override {
    if (replacement_) replacement_->AddTool(tool);
  }
  void Finish() {
    if (replacement_) replacement_->Finish();
  }

 private:
  LoginDataBase& cache_;
  std::optional<CacheReplacement> replacement_;
};

}  // namespace

bool ParseLoginReply(const std::string& reply, VenueProfile& profile, LoginDataBase& cache) {
  CacheStore store(cache);
  LoginReplyRead result = ReadLoginReply(reply, profile, store);
  store.Finish();
  switch (result) {
    case LoginReplyRead::NotJson:
      LogError("Parse Login data failed.");
      return false;
    case LoginReplyRead::Refused:
      LogError(WideToAnsi(Utf8ToWide(profile.errmsg)));
      return false;
    case LoginReplyRead::Malformed:
      profile.errmsg = WideToUtf8(L"解析登录数据异常。");
      return false;
    case LoginReplyRead::Accepted:
      return true;
  }
  return false;
}

bool ParseLoginReply(const std::string& reply) {
  return ParseLoginReply(reply, GetVenueProfile(), GetLoginDataBase());
}
