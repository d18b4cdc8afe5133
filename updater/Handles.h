#pragma once
// Owning wrappers for the handles the updater opens: each is closed exactly once, on every path.
// Kernel handles use the shared UniqueHandle.
#include <windows.h>

#include <cstdio>
#include <memory>

#include "UniqueHandle.h"

// A C runtime file stream; the fetch writes through stdio with a narrow (ANSI) path.
struct FileCloser {
  void operator()(std::FILE* file) const {
    if (file) std::fclose(file);
  }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;
