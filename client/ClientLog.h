#pragma once
// The client's log calls: each line is written only when the settings' debug switch is on.
// The texts are written as given (UTF-8 from the network or cache, GBK for the client's own
// Chinese texts; see WideToGbk).
#include <string>

void LogError(const std::string& message);
void LogInfo(const std::string& message);
void LogDebug(const std::string& message);
