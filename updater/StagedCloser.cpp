#include "StagedCloser.h"

#include <utility>

#include "FileReplace.h"

StagedCloser::StagedCloser() : worker_([this] { Work(); }) {}

StagedCloser::~StagedCloser() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  worker_.join();
}

void StagedCloser::Close(UniqueFile file) {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return queue_.size() + busy_ < kMaxPending; });
  queue_.push_back(file.release());
  changed_.notify_all();
}

bool StagedCloser::Finish() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return queue_.empty() && busy_ == 0; });
  return !failed_;
}

void StagedCloser::Work() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
    if (queue_.empty()) return;  // stopping, and nothing left to close
    UniqueFile file(queue_.front());
    queue_.pop_front();
    ++busy_;
    lock.unlock();
    const bool closed = FlushAndClose(std::move(file));
    lock.lock();
    --busy_;
    if (!closed) failed_ = true;
    changed_.notify_all();
  }
}
