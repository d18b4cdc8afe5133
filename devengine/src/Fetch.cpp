#include "Fetch.h"

#include <windows.h>
#include <winhttp.h>

#include <cctype>
#include <cstdio>

#include "Handles.h"
#include "PageModel.h"
#include "Text.h"

namespace devengine {
namespace {

constexpr size_t kMaxDocumentBytes = 16 * 1024 * 1024;

std::string Num(unsigned long value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%lu", value);
  return buffer;
}

std::string SystemMessage(DWORD code) {
  wchar_t* text = nullptr;
  DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message = n && text ? std::wstring(text, n) : std::wstring();
  if (text) LocalFree(text);
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' ' ||
                              message.back() == L'.'))
    message.pop_back();
  return WideToUtf8(message);
}

std::string WinHttpReason(DWORD code) {
  switch (code) {
    case ERROR_WINHTTP_TIMEOUT:
      return "the server did not answer in time";
    case ERROR_WINHTTP_NAME_NOT_RESOLVED:
      return "the server name could not be resolved";
    case ERROR_WINHTTP_CANNOT_CONNECT:
      return "could not connect to the server";
    case ERROR_WINHTTP_CONNECTION_ERROR:
      return "the connection to the server was reset or closed";
    case ERROR_WINHTTP_INVALID_SERVER_RESPONSE:
      return "the server's answer is not valid HTTP";
    case ERROR_WINHTTP_INVALID_URL:
      return "the address is not valid";
    case ERROR_WINHTTP_UNRECOGNIZED_SCHEME:
      return "the address scheme is not supported";
    case ERROR_WINHTTP_SECURE_FAILURE:
      return "the secure connection could not be established";
    default:
      return "the request failed";
  }
}

std::string NetworkError(const char* step) {
  DWORD code = GetLastError();
  return WinHttpReason(code) + " (" + step + ", WinHTTP error " + Num(code) + ")";
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string PercentDecode(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0) {
      out.push_back(static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2])));
      i += 2;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

bool IsDrive(const std::string& s, size_t at) {
  return s.size() >= at + 2 && std::isalpha(static_cast<unsigned char>(s[at])) &&
         (s[at + 1] == ':' || s[at + 1] == '|');
}

// file:///C:/dir/page.html, file://localhost/C:/..., file://C:/..., file://server/share/...
std::wstring FileUrlToPath(const std::string& url) {
  std::string rest = url.substr(7);
  size_t cut = rest.find_first_of("?#");
  if (cut != std::string::npos) rest.resize(cut);
  if (ToLowerAscii(rest.substr(0, 10)) == "localhost/") rest = rest.substr(9);
  std::string path;
  if (!rest.empty() && rest[0] == '/' && IsDrive(rest, 1)) {
    path = rest.substr(1);
  } else if (IsDrive(rest, 0)) {
    path = rest;
  } else if (!rest.empty() && rest[0] != '/') {
    path = "//" + rest;
  } else {
    path = rest;
  }
  if (path.size() >= 2 && path[1] == '|') path[1] = ':';
  std::wstring wide = Utf8ToWide(PercentDecode(path));
  for (wchar_t& c : wide) {
    if (c == L'/') c = L'\\';
  }
  return wide;
}

FetchResult FetchFile(const std::string& url) {
  FetchResult result;
  std::wstring path = FileUrlToPath(url);
  FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    DWORD code = GetLastError();
    result.error = "the file " + WideToUtf8(path) + " cannot be opened: " + SystemMessage(code) + " (error " +
                   Num(code) + ")";
    return result;
  }
  char buffer[64 * 1024];
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr)) {
      DWORD code = GetLastError();
      result.error = "the file " + WideToUtf8(path) + " cannot be read: " + SystemMessage(code);
      return result;
    }
    if (read == 0) break;
    result.body.append(buffer, read);
    if (result.body.size() > kMaxDocumentBytes) {
      result.error = "the file is larger than 16 MB";
      return result;
    }
  }
  result.ok = true;
  return result;
}

std::wstring QueryHeader(HINTERNET request, DWORD info) {
  DWORD size = 0;
  WinHttpQueryHeaders(request, info, WINHTTP_HEADER_NAME_BY_INDEX, WINHTTP_NO_OUTPUT_BUFFER, &size,
                      WINHTTP_NO_HEADER_INDEX);
  if (size == 0) return std::wstring();
  std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
  if (!WinHttpQueryHeaders(request, info, WINHTTP_HEADER_NAME_BY_INDEX, &value[0], &size,
                           WINHTTP_NO_HEADER_INDEX))
    return std::wstring();
  value.resize(size / sizeof(wchar_t));
  return value;
}

FetchResult FetchHttp(const std::string& url) {
  FetchResult result;
  std::wstring wideUrl = Utf8ToWide(url.substr(0, url.find('#')));
  URL_COMPONENTS parts = {};
  parts.dwStructSize = sizeof parts;
  parts.dwSchemeLength = parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength =
      static_cast<DWORD>(-1);
  if (!WinHttpCrackUrl(wideUrl.c_str(), 0, 0, &parts)) {
    result.error = "the address is not valid (WinHTTP error " + Num(GetLastError()) + ")";
    return result;
  }
  std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
  std::wstring path(parts.lpszUrlPath, parts.dwUrlPathLength);
  path += std::wstring(parts.lpszExtraInfo, parts.dwExtraInfoLength);
  if (path.empty()) path = L"/";
  bool secure = parts.nScheme == INTERNET_SCHEME_HTTPS;

  // Loopback stand-ins must never be sent to a configured proxy.
  std::string lowerHost = ToLowerAscii(WideToUtf8(host));
  bool loopback = lowerHost == "127.0.0.1" || lowerHost == "localhost" || lowerHost == "[::1]";
  InternetHandle session(WinHttpOpen(
      L"OrvDevEngine/1.0", loopback ? WINHTTP_ACCESS_TYPE_NO_PROXY : WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
      WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
  if (!session) {
    result.error = NetworkError("open");
    return result;
  }
  WinHttpSetTimeouts(session.Get(), 5000, 5000, 10000, 15000);
  InternetHandle connection(WinHttpConnect(session.Get(), host.c_str(), parts.nPort, 0));
  if (!connection) {
    result.error = NetworkError("connect");
    return result;
  }
  InternetHandle request(WinHttpOpenRequest(connection.Get(), L"GET", path.c_str(), nullptr,
                                            WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                            secure ? WINHTTP_FLAG_SECURE : 0));
  if (!request) {
    result.error = NetworkError("request");
    return result;
  }
  if (!WinHttpSendRequest(request.Get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0,
                          0)) {
    result.error = NetworkError("send");
    return result;
  }
  if (!WinHttpReceiveResponse(request.Get(), nullptr)) {
    result.error = NetworkError("receive");
    return result;
  }
  DWORD status = 0;
  DWORD size = sizeof status;
  WinHttpQueryHeaders(request.Get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                      WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX);
  result.contentType = ToLowerAscii(WideToUtf8(QueryHeader(request.Get(), WINHTTP_QUERY_CONTENT_TYPE)));
  for (;;) {
    DWORD available = 0;
    if (!WinHttpQueryDataAvailable(request.Get(), &available)) {
      result.error = NetworkError("read");
      return result;
    }
    if (available == 0) break;
    std::string chunk(available, '\0');
    DWORD read = 0;
    if (!WinHttpReadData(request.Get(), &chunk[0], available, &read)) {
      result.error = NetworkError("read");
      return result;
    }
    result.body.append(chunk, 0, read);
    if (result.body.size() > kMaxDocumentBytes) {
      result.error = "the page is larger than 16 MB";
      return result;
    }
    if (read == 0) break;
  }
  if (status < 200 || status > 299) {
    std::string statusText = WideToUtf8(QueryHeader(request.Get(), WINHTTP_QUERY_STATUS_TEXT));
    result.error = "the server answered HTTP " + Num(status) + (statusText.empty() ? "" : " " + statusText);
    return result;
  }
  result.ok = true;
  return result;
}

bool NamesGbk(const std::string& charset) {
  return charset == "gbk" || charset == "gb2312" || charset == "gb18030" || charset == "x-gbk";
}

}  // namespace

FetchResult Fetch(const std::string& utf8Url) {
  std::string url = TrimAscii(utf8Url);
  std::string lower = ToLowerAscii(url);
  FetchResult result;
  if (url.empty()) {
    result.error = "the address is empty";
  } else if (lower == "about:blank") {
    result.ok = true;
  } else if (lower.rfind("file://", 0) == 0) {
    result = FetchFile(url);
  } else if (lower.rfind("http://", 0) == 0 || lower.rfind("https://", 0) == 0) {
    result = FetchHttp(url);
  } else {
    result.error = "the address scheme is not supported (only http://, https://, file:// and about:blank)";
  }
  return result;
}

std::wstring DecodeDocument(const FetchResult& result) {
  const std::string& body = result.body;
  if (body.size() >= 3 && body.compare(0, 3, "\xEF\xBB\xBF") == 0) return Utf8ToWide(body.substr(3));
  if (body.size() >= 2 && static_cast<unsigned char>(body[0]) == 0xFF &&
      static_cast<unsigned char>(body[1]) == 0xFE) {
    return std::wstring(reinterpret_cast<const wchar_t*>(body.data() + 2), (body.size() - 2) / 2);
  }
  std::string charset;
  size_t at = result.contentType.find("charset=");
  if (at != std::string::npos) charset = TrimAscii(result.contentType.substr(at + 8));
  if (charset.empty()) charset = DeclaredCharset(body);
  if (!charset.empty() && (charset.front() == '"' || charset.front() == '\'')) charset = charset.substr(1);
  while (!charset.empty() && (charset.back() == '"' || charset.back() == '\'' || charset.back() == ';'))
    charset.pop_back();
  return CodePageToWide(body, NamesGbk(charset) ? 936u : static_cast<unsigned>(CP_UTF8));
}

}  // namespace devengine
