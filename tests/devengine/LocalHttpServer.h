#pragma once
// A tiny HTTP/1.0 server on 127.0.0.1 (an ephemeral port) for page loading tests. Every
// connection gets one answer and is closed; the server stops with the object.
#include <winsock2.h>

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>

class LocalHttpServer {
 public:
  struct Route {
    int status = 200;
    std::string contentType = "text/html; charset=utf-8";
    std::string body;
    DWORD delayMs = 0;  // before the answer is sent
  };

  LocalHttpServer();
  ~LocalHttpServer();
  LocalHttpServer(const LocalHttpServer&) = delete;
  LocalHttpServer& operator=(const LocalHttpServer&) = delete;

  bool Started() const { return port_ != 0; }
  // A route answers its path, and its path with any query that has no route of its own.
  void SetRoute(const std::string& path, const Route& route);
  std::string Url(const std::string& path) const;
  // Answers completely sent for a path.
  int Served(const std::string& path);

 private:
  void Run();
  void Answer(SOCKET client);

  SOCKET listener_ = INVALID_SOCKET;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::map<std::string, Route> routes_;
  std::map<std::string, int> served_;
  std::thread thread_;
};
