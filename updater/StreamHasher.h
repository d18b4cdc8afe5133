#pragma once
// The SHA-256 of each fetched file as it arrives, on a thread of its own: hashing a large file on
// the fetching thread, or reading it back afterwards, would cost as much as its transfer, and
// waiting for each small file's digest would cost a thread switch per file. The fetch hands
// over blocks as they fill; each file's digest lands in the slot given to End, and Wait returns
// once every digest is there.
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class StreamHasher {
 public:
  StreamHasher();
  ~StreamHasher();
  StreamHasher(const StreamHasher&) = delete;
  StreamHasher& operator=(const StreamHasher&) = delete;

  // A new file: a file left unfinished before is dropped.
  void Begin();
  // Bytes of the file, in order. Waits while kMaxBlocks blocks are queued.
  void Add(const char* data, size_t length);
  // The file is whole: its digest (64 lower-case hex digits, empty when hashing failed) goes to
  // digest, which must stay valid until Wait returned.
  void End(std::string* digest);
  // Until every queued block is hashed.
  void Wait();

 private:
  static constexpr size_t kBlockBytes = 64 * 1024;
  static constexpr size_t kMaxBlocks = 16;
  struct Block {
    std::vector<char> bytes;
    bool last = false;
    std::string* digest = nullptr;  // with last: where the digest goes (none: dropped)
  };
  void Queue(Block block);
  void Work();

  std::vector<char> filling_;
  bool open_ = false;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Block> queue_;
  bool busy_ = false;
  bool stopping_ = false;
  std::thread worker_;
};
