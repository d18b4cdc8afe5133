#pragma once
// Runs the client's windows from the cached venue profile.

// Loads the cached profile and tools and runs the main frame modally. Returns when the main
// frame has closed, or at once (after telling the user) when the cache has no profile.
void RunMainFrame();
