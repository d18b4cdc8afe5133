#pragma once
// Temporary declarations until the login work is in place (see LoginStandIns.cpp).
#include <string>

bool ParseLoginReply(const std::string& reply);
