#include "LocalHttpServer.h"

#include <ws2tcpip.h>

#include <cstdio>

LocalHttpServer::LocalHttpServer() {
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return;
  listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (listener_ == INVALID_SOCKET) return;
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener_, 16) != 0)
    return;
  int length = sizeof address;
  if (getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) return;
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { Run(); });
}

LocalHttpServer::~LocalHttpServer() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  if (listener_ != INVALID_SOCKET) closesocket(listener_);
  WSACleanup();
}

void LocalHttpServer::SetRoute(const std::string& path, const Route& route) {
  std::lock_guard<std::mutex> lock(mutex_);
  routes_[path] = route;
}

std::string LocalHttpServer::Url(const std::string& path) const {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "http://127.0.0.1:%d", port_);
  return buffer + path;
}

int LocalHttpServer::Served(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  return served_[path];
}

void LocalHttpServer::Run() {
  while (!stop_) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(listener_, &set);
    timeval wait = {0, 100 * 1000};
    if (select(0, &set, nullptr, nullptr, &wait) <= 0) continue;
    SOCKET client = accept(listener_, nullptr, nullptr);
    if (client == INVALID_SOCKET) continue;
    Answer(client);
    closesocket(client);
  }
}

void LocalHttpServer::Answer(SOCKET client) {
  DWORD timeout = 2000;
  setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
  std::string request;
  char buffer[4096];
  while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
    int n = recv(client, buffer, sizeof buffer, 0);
    if (n <= 0) return;
    request.append(buffer, static_cast<size_t>(n));
  }
  size_t start = request.find(' ');
  size_t end = request.find(' ', start + 1);
  std::string path = start == std::string::npos ? "/" : request.substr(start + 1, end - start - 1);
  Route route;
  bool known = false;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = routes_.find(path);
    // A page addressed with a query is served by its path's route when it has none of its own.
    if (it == routes_.end()) it = routes_.find(path.substr(0, path.find('?')));
    if (it != routes_.end()) {
      route = it->second;
      known = true;
    }
  }
  if (!known) {
    route.status = 404;
    route.contentType = "text/plain";
    route.body = "no such page";
  }
  for (DWORD waited = 0; waited < route.delayMs && !stop_; waited += 20) Sleep(20);
  const char* reason = route.status == 200 ? "OK" : route.status == 404 ? "Not Found" : "Error";
  char head[256];
  std::snprintf(head, sizeof head,
                "HTTP/1.0 %d %s\r\nContent-Type: %s\r\nContent-Length: %u\r\nConnection: close\r\n\r\n",
                route.status, reason, route.contentType.c_str(), static_cast<unsigned>(route.body.size()));
  std::string answer = head + route.body;
  size_t sent = 0;
  while (sent < answer.size()) {
    int n = send(client, answer.data() + sent, static_cast<int>(answer.size() - sent), 0);
    if (n <= 0) return;
    sent += static_cast<size_t>(n);
  }
  shutdown(client, SD_SEND);
  std::lock_guard<std::mutex> lock(mutex_);
  ++served_[path];
}
