#pragma once
// Fetching a page's bytes, on a worker thread: http:// and https:// through WinHTTP, file://
// from disk, about:blank. Never touches the views.
#include <string>

namespace devengine {

struct FetchResult {
  bool ok = false;
  std::string body;         // the document's bytes
  std::string contentType;  // HTTP Content-Type, lower case; empty for files
  std::string error;        // why the load failed, for the error page (UTF-8)
};

FetchResult Fetch(const std::string& utf8Url);

// The document's text: UTF-8 unless a BOM, the Content-Type or a <meta> names GBK/GB2312/GB18030.
std::wstring DecodeDocument(const FetchResult& result);

}  // namespace devengine
