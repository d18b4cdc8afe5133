#include "FetchClient.h"

#include <algorithm>
#include <utility>

#include "FileReplace.h"
#include "StagedCloser.h"
#include "StreamHasher.h"
#include "Handles.h"
#include "TextConvert.h"
#include "UpdaterLog.h"

namespace {

// WSAStartup for version 2.2 and the matching WSACleanup, which runs after every fetch, also
// when the start-up failed.
class SocketLayer {
 public:
  SocketLayer() {
    WSADATA data = {};
    ready_ =
        WSAStartup(MAKEWORD(2, 2), &data) == 0 && LOBYTE(data.wVersion) == 2 && HIBYTE(data.wVersion) == 2;
  }
  ~SocketLayer() { WSACleanup(); }
  SocketLayer(const SocketLayer&) = delete;
  SocketLayer& operator=(const SocketLayer&) = delete;
  bool Ready() const { return ready_; }

 private:
  bool ready_ = false;
};

std::string LastSocketError() { return IntToString(WSAGetLastError()); }

bool SetBlocking(SOCKET socket, bool blocking) {
  u_long mode = blocking ? 0 : 1;
  return ioctlsocket(socket, FIONBIO, &mode) == 0;
}

}  // namespace

bool FetchCancel::Attach(SOCKET socket) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (cancelled_) return false;
  socket_ = socket;
  return true;
}

bool FetchCancel::Release(SOCKET socket) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (socket_ != socket) return false;
  socket_ = INVALID_SOCKET;
  return true;
}

bool FetchCancel::Cancelled() {
  std::lock_guard<std::mutex> lock(mutex_);
  return cancelled_;
}

void FetchCancel::Cancel() {
  std::lock_guard<std::mutex> lock(mutex_);
  cancelled_ = true;
  if (socket_ != INVALID_SOCKET) {
    shutdown(socket_, SD_BOTH);
    closesocket(socket_);
    socket_ = INVALID_SOCKET;
  }
}

FetchClient::FetchClient(const UpdaterContext& context, DWORD receiveTimeoutMs, FetchCancel* cancel)
    : context_(context), receiveTimeoutMs_(receiveTimeoutMs), cancel_(cancel) {}

FetchClient::~FetchClient() { Close(); }

void FetchClient::Close() {
  if (socket_ == INVALID_SOCKET) return;
  // A cancelled fetch had its socket closed by the canceller already.
  if (!cancel_ || cancel_->Release(socket_)) closesocket(socket_);
  socket_ = INVALID_SOCKET;
}

bool FetchClient::Connect(int port, const std::string& address) {
  if (address.empty()) return false;
  SOCKET created = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (created == INVALID_SOCKET) return false;
  if (cancel_ && !cancel_->Attach(created)) {
    closesocket(created);
    return false;
  }
  socket_ = created;

  sockaddr_in server = {};
  server.sin_family = AF_INET;
  server.sin_addr.s_addr = inet_addr(address.c_str());  // dotted decimal only, no name lookup
  server.sin_port = htons(static_cast<u_short>(port));

  if (!SetBlocking(socket_, false)) {
    UpdaterLog(L"设置SOCKET为异步时出错，errorid: ", LastSocketError());
    return false;
  }
  if (connect(socket_, reinterpret_cast<const sockaddr*>(&server), sizeof server) != 0) {
    // Only the write set is watched: a refused connection is signalled in the error set on
    // Windows, so it ends with the time-out below.
    fd_set writable;
    FD_ZERO(&writable);
    FD_SET(socket_, &writable);
    timeval limit = {};
    limit.tv_sec = static_cast<long>(context_.timings.connectTimeoutMs / 1000);
    limit.tv_usec = static_cast<long>((context_.timings.connectTimeoutMs % 1000) * 1000);
    int ready = select(0, nullptr, &writable, nullptr, &limit);
    if (ready <= 0) {
      UpdaterLog(L"select错误或者超时，errorid: ", LastSocketError());
      return false;
    }
    if (!FD_ISSET(socket_, &writable)) {
      UpdaterLog(L"fd_isset出错，socket不在集合里.");
      return false;
    }
    int pending = -1;
    int length = sizeof pending;
    if (getsockopt(socket_, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&pending), &length) != 0) {
      UpdaterLog(L"getsockopt出错，errorid: ", LastSocketError());
      return false;
    }
    if (pending != 0) {
      UpdaterLog(L"connect出错，errorid: ", LastSocketError());
      return false;
    }
  }
  if (!SetBlocking(socket_, true)) {
    UpdaterLog(L"设置SOCKET为同步时出错，errorid: ", LastSocketError());
    return false;
  }
  return true;
}

bool FetchClient::ReceiveManifest() {
  return Exchange("UpdateList.xml", context_.AnsiDir() + "ServerList.xml", context_.limits.maxManifestBytes,
                  nullptr, nullptr);
}

bool FetchClient::ReceiveSignature() {
  return Exchange("UpdateList.xml.sig", context_.AnsiDir() + "ServerList.xml.sig", kMaxSignatureBytes,
                  nullptr, nullptr);
}

bool FetchClient::ReceiveFile(const std::string& name) {
  return ReceiveFile(name, name, context_.limits.maxFileBytes, nullptr, nullptr);
}

bool FetchClient::ReceiveFile(const std::string& name, const std::string& localName, uint64_t maxBytes,
                              uint64_t* received, std::string* digest) {
  return Exchange(name, context_.AnsiDir() + "temp\\" + localName, maxBytes, received, digest);
}

bool FetchClient::WithinLimits(const std::string& name, ReceiveProgress& progress) {
  const UpdaterTimings& timings = context_.timings;
  if (cancel_ && cancel_->Cancelled()) return false;
  const ULONGLONG now = GetTickCount64();
  if (context_.deadlineTick != 0 && now >= context_.deadlineTick) {
    UpdaterLog(L"本次更新超出时限，已放弃: ", name);
    return false;
  }
  if (timings.progressWindowMs != 0 && now - progress.windowStart >= timings.progressWindowMs) {
    if (progress.windowBytes < kMinProgressBytes) {
      UpdaterLog(L"收银端发送过慢，已放弃: ", name);
      return false;
    }
    progress.windowStart = now;
    progress.windowBytes = 0;
  }
  if (receiveTimeoutMs_ != 0 && now - progress.lastData >= receiveTimeoutMs_) {
    DebuggerOutput(L"读取数据出错!");  // nothing for this long: the server stopped sending
    return false;
  }
  return true;
}

bool FetchClient::WaitForData(const std::string& name, ReceiveProgress& progress) {
  const UpdaterTimings& timings = context_.timings;
  for (;;) {
    if (!WithinLimits(name, progress)) return false;
    const ULONGLONG now = GetTickCount64();
    // Short slices, so that a cancel from another thread and every limit are seen in time.
    ULONGLONG slice = 250;
    if (timings.progressWindowMs != 0)
      slice = (std::min)(slice, progress.windowStart + timings.progressWindowMs - now);
    if (context_.deadlineTick != 0) slice = (std::min)(slice, context_.deadlineTick - now);
    if (receiveTimeoutMs_ != 0) slice = (std::min)(slice, progress.lastData + receiveTimeoutMs_ - now);
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket_, &readable);
    timeval limit = {0, static_cast<long>(slice * 1000)};
    const int ready = select(0, &readable, nullptr, nullptr, &limit);
    if (ready > 0) return true;
    if (ready < 0) {
      DebuggerOutput(L"读取数据出错!");
      return false;
    }
  }
}

bool FetchClient::Exchange(const std::string& name, const std::string& destination, uint64_t maxBytes,
                           uint64_t* received, std::string* digest) {
  if (socket_ == INVALID_SOCKET) return false;
  const std::string request = "UPDATE," + name;
  if (send(socket_, request.data(), static_cast<int>(request.size()), 0) <= 0) return false;
  // Receives do not block from here on: while data flows, each one returns at once; when none
  // is there, WaitForData waits in slices that watch every limit of the fetch.
  if (!SetBlocking(socket_, false)) return false;

  UniqueFile file(std::fopen(destination.c_str(), "wb"));
  if (!file) {
    DebuggerOutput(L"打开文件失败!");
    return false;
  }
  // A write that fails (a full disk) fails the fetch: a cut-short file must never count as
  // received.
  auto store = [&](const char* data, int length) {
    if (ReachStep(context_, UpdateStep::StagedWrite, name)) return false;
    return std::fwrite(data, 1, static_cast<size_t>(length), file.get()) == static_cast<size_t>(length);
  };
  StreamHasher* hasher = digest ? context_.hasher : nullptr;
  if (hasher) hasher->Begin();
  ReceiveProgress progress;
  progress.windowStart = progress.lastData = GetTickCount64();
  uint64_t total = 0;
  char buffer[1000];
  for (bool first = true;;) {
    if (!WithinLimits(name, progress)) return false;
    const int got = recv(socket_, buffer, sizeof buffer, 0);
    if (got < 0) {
      if (WSAGetLastError() == WSAEWOULDBLOCK) {
        if (!WaitForData(name, progress)) return false;
        continue;
      }
      DebuggerOutput(L"读取数据出错!");  // what arrived so far stays in the file
      return false;
    }
    if (got == 0) {
      if (first) return false;  // the server does not deliver this file: it stays empty
      break;
    }
    first = false;
    total += static_cast<uint64_t>(got);
    // More than the file can be: stop at once rather than fill the disk.
    if (total > maxBytes) {
      UpdaterLog(L"收银端发送的数据超出大小上限，已放弃: ", name);
      return false;
    }
    progress.windowBytes += static_cast<uint64_t>(got);
    progress.lastData = GetTickCount64();
    if (!store(buffer, got)) return false;
    if (hasher) hasher->Add(buffer, static_cast<size_t>(got));
  }
  if (hasher) hasher->End(digest);
  if (received) *received = total;
  // On the disk before anyone moves it over a working file: here, or by the closer while the
  // next file is fetched.
  if (ReachStep(context_, UpdateStep::StagedClose, name)) return false;
  if (context_.closer) {
    if (std::fflush(file.get()) != 0) return false;
    context_.closer->Close(std::move(file));
    return true;
  }
  return FlushAndClose(std::move(file));
}

namespace {

struct FileRequest {
  const std::string& name;
  const std::string& localName;
  uint64_t maxBytes;
  uint64_t* received;
  std::string* digest;
};

bool Fetch(const UpdaterContext& context, const std::string& address, int port, const FileRequest* file,
           DWORD receiveTimeoutMs, FetchCancel* cancel) {
  try {
    SocketLayer layer;
    if (!layer.Ready()) return false;
    FetchClient client(context, receiveTimeoutMs, cancel);
    bool ok =
        client.Connect(port, address) &&
        (file ? client.ReceiveFile(file->name, file->localName, file->maxBytes, file->received, file->digest)
              : client.ReceiveManifest());
    client.Close();
    return ok;
  } catch (...) {
    return false;  // e.g. a failed allocation; the socket and the layer are closed on the way out
  }
}

}  // namespace

bool FetchSignature(const UpdaterContext& context, const std::string& address, int port) {
  try {
    SocketLayer layer;
    if (!layer.Ready()) return false;
    FetchClient client(context, context.timings.receiveTimeoutMs, nullptr);
    bool ok = client.Connect(port, address) && client.ReceiveSignature();
    client.Close();
    return ok;
  } catch (...) {
    return false;
  }
}

bool FetchManifest(const UpdaterContext& context, const std::string& address, int port, FetchCancel* cancel) {
  // The manifest wait of the run bounds this fetch; it has no receive time-out of its own.
  return Fetch(context, address, port, nullptr, 0, cancel);
}

bool FetchFile(const UpdaterContext& context, const std::string& address, const std::string& name, int port) {
  return FetchFile(context, address, name, name, port, context.limits.maxFileBytes);
}

bool FetchFile(const UpdaterContext& context, const std::string& address, const std::string& name,
               const std::string& localName, int port, uint64_t maxBytes, uint64_t* received,
               std::string* digest) {
  const FileRequest request{name, localName, maxBytes, received, digest};
  return Fetch(context, address, port, &request, context.timings.receiveTimeoutMs, nullptr);
}
