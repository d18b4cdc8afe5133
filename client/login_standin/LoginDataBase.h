#pragma once
// Temporary declarations until the login work is in place (see LoginStandIns.cpp).
#include <vector>

#include "VenueProfile.h"

class LoginDataBase {
 public:
  bool LoadInfo(VenueProfile& profile);
  bool LoadTools(std::vector<ToolEntry>& tools);
  bool LoadLegacyId(VenueProfile& profile);
  bool DropWbInfoTable();
  bool DropGameInfoTable();
};

LoginDataBase& GetLoginDataBase();
