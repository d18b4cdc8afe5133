#pragma once
// The web engine library "node.dll" beside the client.

// True when "node.dll" is there and the web engine has been loaded from it; false after the
// user was told that it is missing.
bool CheckNodeDll();
