#pragma once
// The updater's reports. Every log line is written at debug level without any switch; the
// updater's own Chinese texts are GBK bytes in the log, whatever the PC's code page.
#include <string>

// Writes bytes unchanged as one log line.
void UpdaterLogBytes(const std::string& bytes);
// Writes one of the updater's own texts (as GBK), followed directly by suffix (codes, names).
void UpdaterLog(const wchar_t* text, const std::string& suffix = std::string());
// Receive problems of a fetch go to the debugger output, not to the log.
void DebuggerOutput(const wchar_t* text);

namespace updater_testing {
// Test seams: while a sink is set, lines go to it instead of the day log / debugger output.
using LogSink = void (*)(const std::string& line);
using DebuggerSink = void (*)(const std::wstring& text);
void SetLogSink(LogSink sink);
void SetDebuggerSink(DebuggerSink sink);
}  // namespace updater_testing
