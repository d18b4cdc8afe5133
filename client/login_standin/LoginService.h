#pragma once
// Temporary declarations until the login work is in place (see LoginStandIns.cpp).
#include <cstdint>
#include <string>

bool Login(const std::string& utf8Name, std::string& reply);
bool Login(int32_t id, std::string& reply);
