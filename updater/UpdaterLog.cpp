#include "UpdaterLog.h"

#include <windows.h>

#include <atomic>

#include "Logger.h"
#include "TextConvert.h"

namespace {

std::atomic<updater_testing::LogSink> g_logSink{nullptr};
std::atomic<updater_testing::DebuggerSink> g_debuggerSink{nullptr};

}  // namespace

void UpdaterLogBytes(const std::string& bytes) {
  if (auto sink = g_logSink.load()) {
    sink(bytes);
    return;
  }
  // The logger is built here, at the first line: a run that reports nothing leaves no log file.
  GetLogger().Write(LogLevel::Debug, bytes);
}

void UpdaterLog(const wchar_t* text, const std::string& suffix) { UpdaterLogBytes(WideToGbk(text) + suffix); }

void DebuggerOutput(const wchar_t* text) {
  if (auto sink = g_debuggerSink.load()) {
    sink(text);
    return;
  }
  OutputDebugStringW(text);
}

namespace updater_testing {

void SetLogSink(LogSink sink) { g_logSink.store(sink); }
void SetDebuggerSink(DebuggerSink sink) { g_debuggerSink.store(sink); }

}  // namespace updater_testing
