#pragma once
// Owns one libcurl easy handle for one exchange.
#include <curl/curl.h>

class CurlEasy {
 public:
  // libcurl's global initialisation happens on the first handle.
  CurlEasy() : handle_(curl_easy_init()) {}
  ~CurlEasy() {
    if (handle_) curl_easy_cleanup(handle_);
  }
  CurlEasy(const CurlEasy&) = delete;
  CurlEasy& operator=(const CurlEasy&) = delete;

  CURL* get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  CURL* handle_;
};
