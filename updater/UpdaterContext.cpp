#include "UpdaterContext.h"

#include "TextConvert.h"

std::string UpdaterContext::AnsiDir() const { return WideToAnsi(programDir); }
