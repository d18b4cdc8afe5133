#pragma once
// The start's timing lines in the day log, at debug level under the client's log rule:
// "Start step <name>: <ms> ms." with the time since the process was created, so that the
// benchmark can tell where a start goes (process start, settings, engine, toolkit, windows,
// page request, page ready, first paint).
#include <string>

// At the entry: the process start is the time up to here. Later steps count from the same
// origin, on the performance counter.
void BeginStartSteps();
// Milliseconds since the process was created (0 before BeginStartSteps).
double StartStepMs();
// The same at BeginStartSteps.
double StartEntryMs();
// Logs a step that ended now, or at `ms`.
void MarkStartStep(const std::string& name);
void MarkStartStep(const std::string& name, double ms);
