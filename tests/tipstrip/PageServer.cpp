#include "PageServer.h"

#include <ws2tcpip.h>

#include <cstdio>

namespace {

const char kPage[] =
    "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Stand-in service page</title></head>"
    "<body><h1>Service page</h1><p>Drawn by the development engine.</p>"
    "<button data-call=\"CloseWindow\">Close</button></body></html>";

}  // namespace

PageServer::PageServer() {
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return;
  listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (listener_ == INVALID_SOCKET) return;
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener_, 16) != 0)
    return;
  int length = sizeof address;
  if (getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) return;
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { Run(); });
}

PageServer::~PageServer() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  for (std::thread& t : answers_) t.join();
  if (listener_ != INVALID_SOCKET) closesocket(listener_);
  WSACleanup();
}

std::string PageServer::Url(const std::string& path) const {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "http://127.0.0.1:%d", port_);
  return buffer + path;
}

int PageServer::Requests(const std::string& segment) {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_[segment];
}

void PageServer::Run() {
  while (!stop_) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(listener_, &set);
    timeval wait = {0, 100 * 1000};
    if (select(0, &set, nullptr, nullptr, &wait) <= 0) continue;
    SOCKET client = accept(listener_, nullptr, nullptr);
    if (client == INVALID_SOCKET) continue;
    answers_.emplace_back([this, client] {
      Answer(client);
      closesocket(client);
    });
  }
}

void PageServer::Answer(SOCKET client) {
  DWORD timeout = 2000;
  setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
  std::string request;
  char buffer[4096];
  while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
    int n = recv(client, buffer, sizeof buffer, 0);
    if (n <= 0) return;
    request.append(buffer, static_cast<size_t>(n));
  }
  const size_t start = request.find(' ');
  const size_t end = request.find(' ', start + 1);
  const std::string path = start == std::string::npos ? "/" : request.substr(start + 1, end - start - 1);
  const std::string segment = path.substr(1, path.find_first_of("/?#", 1) - 1);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    ++requests_[segment];
  }
  if (segment.rfind("stall", 0) == 0) {
    while (!stop_) Sleep(20);
    return;
  }
  char head[160];
  std::snprintf(head, sizeof head,
                "HTTP/1.0 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: %u\r\n"
                "Connection: close\r\n\r\n",
                static_cast<unsigned>(sizeof kPage - 1));
  std::string answer = std::string(head) + kPage;
  size_t sent = 0;
  while (sent < answer.size()) {
    int n = send(client, answer.data() + sent, static_cast<int>(answer.size() - sent), 0);
    if (n <= 0) return;
    sent += static_cast<size_t>(n);
  }
  shutdown(client, SD_SEND);
}
