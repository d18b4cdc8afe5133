#pragma once
// The client's start mode, chosen by its command line.
#include <string>
#include <vector>

enum class StartMode {
  NoArgument,   // log in, then hand off to the updater or run the windows
  Start,        // first argument "start" in any case: run the windows from the cache
  BadArgument,  // any other first argument: nothing is shown
};

// From the program's arguments, the program's own path first (argv[0]).
StartMode ChooseStartMode(const std::vector<std::wstring>& args);

// From the process's command line, split by the usual Windows rules.
StartMode CommandLineStartMode();
