// TEMPORARY stand-ins for the login service, the reply reader and the cache, until the login
// work is in place. Every operation fails: no request is made, no reply is accepted, the
// cache holds nothing. Nothing here reports a success.
#include "LoginDataBase.h"
#include "LoginReply.h"
#include "LoginService.h"

bool Login(const std::string&, std::string&) { return false; }
bool Login(int32_t, std::string&) { return false; }
bool ParseLoginReply(const std::string&) { return false; }

bool LoginDataBase::LoadInfo(VenueProfile&) { return false; }
bool LoginDataBase::LoadTools(std::vector<ToolEntry>&) { return false; }
bool LoginDataBase::LoadLegacyId(VenueProfile&) { return false; }
bool LoginDataBase::DropWbInfoTable() { return false; }
bool LoginDataBase::DropGameInfoTable() { return false; }

LoginDataBase& GetLoginDataBase() {
  static LoginDataBase cache;
  return cache;
}
