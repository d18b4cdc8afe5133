#pragma once
// A named timing scope: "<name> start." when opened, "<name> time: <ms> ms." when closed,
// both at debug level under the client's log rule. The logger is built when the scope opens,
// whether or not the debug switch is on.
#include <cstdint>
#include <string>

// Milliseconds from start to now on the 32-bit tick counter, right across one wrap.
inline uint32_t TickElapsed(uint32_t start, uint32_t now) { return now - start; }

class ScopeTimer {
 public:
  using TickSource = uint32_t (*)();
  explicit ScopeTimer(std::string name, TickSource ticks = nullptr);
  ~ScopeTimer();
  ScopeTimer(const ScopeTimer&) = delete;
  ScopeTimer& operator=(const ScopeTimer&) = delete;

 private:
  TickSource ticks_;
  uint32_t start_;
  std::string name_;
};
