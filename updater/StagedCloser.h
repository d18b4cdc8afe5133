#pragma once
// Forcing a staged file to the disk takes as long as fetching a small one. The closer does it on
// a thread of its own while the next file is fetched: a file counts as staged only once Finish
// has seen its flush and close succeed, and nothing is moved into place before that.
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <thread>

#include "Handles.h"

class StagedCloser {
 public:
  StagedCloser();
  ~StagedCloser();
  StagedCloser(const StagedCloser&) = delete;
  StagedCloser& operator=(const StagedCloser&) = delete;

  // Queues the stream (its data already handed to the system with fflush) to be forced to the
  // disk and closed. Waits while kMaxPending files are queued, so that few handles stay open.
  void Close(UniqueFile file);
  // Waits until every queued file is closed; true when each flush and close succeeded.
  bool Finish();

 private:
  static constexpr size_t kMaxPending = 4;
  void Work();

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::FILE*> queue_;
  size_t busy_ = 0;  // taken from the queue, not yet closed
  bool stopping_ = false;
  bool failed_ = false;
  std::thread worker_;
};
