#pragma once
// The single-instance guard: the named mutex "tvClient_Client", held until the process ends.

// True when this is the only client. Otherwise wakes the running client's main frame (the
// window titled "Tamvik-客户端", if it has one yet) and returns false.
bool CheckSingleInstance();
