#include "StreamHasher.h"

#include <utility>

#include "Sha256.h"

StreamHasher::StreamHasher() : worker_([this] { Work(); }) {}

StreamHasher::~StreamHasher() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  worker_.join();
}

void StreamHasher::Begin() {
  if (open_) Queue(Block{std::move(filling_), true, nullptr});
  filling_.clear();
  open_ = true;
}

void StreamHasher::Add(const char* data, size_t length) {
  filling_.insert(filling_.end(), data, data + length);
  if (filling_.size() >= kBlockBytes) {
    Queue(Block{std::move(filling_), false, nullptr});
    filling_.clear();
    filling_.reserve(kBlockBytes);
  }
}

void StreamHasher::End(std::string* digest) {
  Queue(Block{std::move(filling_), true, digest});
  filling_.clear();
  open_ = false;
}

void StreamHasher::Wait() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return queue_.empty() && !busy_; });
}

void StreamHasher::Queue(Block block) {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return queue_.size() < kMaxBlocks; });
  queue_.push_back(std::move(block));
  changed_.notify_all();
}

void StreamHasher::Work() {
  Sha256Stream stream;
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
    if (queue_.empty()) return;  // stopping, and every block is hashed
    Block block = std::move(queue_.front());
    queue_.pop_front();
    busy_ = true;
    changed_.notify_all();
    lock.unlock();
    stream.Add(block.bytes.data(), block.bytes.size());
    std::string digest = block.last ? stream.FinishHex() : std::string();
    lock.lock();
    if (block.digest) *block.digest = std::move(digest);
    busy_ = false;
    changed_.notify_all();
  }
}
