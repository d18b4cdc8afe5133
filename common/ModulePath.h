#pragma once
#include <string>

// Directory of the running executable with its trailing backslash, e.g. "C:\Orvanta\".
// Every file of both programs lies at this directory plus a fixed name.
std::wstring GetModuleDir();
