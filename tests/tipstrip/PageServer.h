#pragma once
// A small HTTP/1.0 server on 127.0.0.1 (an ephemeral port) for the web dialogs' pages. Every
// request whose path starts with "/stall" is accepted and never answered until the server
// stops (a page that never becomes ready); every other one gets the stand-in dialog page.
// Requests are counted by their first path segment ("/call/?token=..." counts for "call").
#include <winsock2.h>

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class PageServer {
 public:
  PageServer();
  ~PageServer();
  PageServer(const PageServer&) = delete;
  PageServer& operator=(const PageServer&) = delete;

  bool Started() const { return port_ != 0; }
  std::string Url(const std::string& path) const;
  int Requests(const std::string& segment);

 private:
  void Run();
  void Answer(SOCKET client);

  SOCKET listener_ = INVALID_SOCKET;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::map<std::string, int> requests_;
  std::vector<std::thread> answers_;
  std::thread thread_;
};
