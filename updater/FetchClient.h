#pragma once
// The file-fetch protocol to the cashier server: one TCP connection per file, the request
// "UPDATE," + name (no terminator), the file's raw bytes in reply until the server closes.
#include <winsock2.h>

#include <cstdint>
#include <mutex>
#include <string>

#include "UpdaterContext.h"

// Lets another thread stop a fetch by closing its socket, so that the fetching thread ends by
// itself (a killed thread could leave a lock of the runtime taken).
class FetchCancel {
 public:
  FetchCancel() = default;
  FetchCancel(const FetchCancel&) = delete;
  FetchCancel& operator=(const FetchCancel&) = delete;

  // The fetch registers its socket; false when the fetch was cancelled already.
  bool Attach(SOCKET socket);
  // The fetch is done with its socket: true when it still owns it and must close it itself.
  bool Release(SOCKET socket);
  // Closes the registered socket (any blocking call on it returns with an error) and refuses
  // later registrations.
  void Cancel();
  bool Cancelled();

 private:
  std::mutex mutex_;
  SOCKET socket_ = INVALID_SOCKET;
  bool cancelled_ = false;
};

class FetchClient {
 public:
  // receiveTimeoutMs 0: receives wait as long as the server keeps the connection open.
  FetchClient(const UpdaterContext& context, DWORD receiveTimeoutMs, FetchCancel* cancel);
  ~FetchClient();
  FetchClient(const FetchClient&) = delete;
  FetchClient& operator=(const FetchClient&) = delete;

  bool Connect(int port, const std::string& address);
  // Sends "UPDATE,UpdateList.xml" and stores the reply as "ServerList.xml".
  bool ReceiveManifest();
  // Sends "UPDATE,UpdateList.xml.sig" and stores the reply as "ServerList.xml.sig".
  bool ReceiveSignature();
  // Sends "UPDATE," + name and stores the reply as "temp\" + name.
  bool ReceiveFile(const std::string& name);
  // The same, stored as "temp\" + localName (the name as Windows resolves it); more than
  // maxBytes fails the fetch as soon as they arrive.
  // digest: the SHA-256 of what was stored, hashed by the context's hasher as it arrives (there
  // once the hasher's Wait returned).
  bool ReceiveFile(const std::string& name, const std::string& localName, uint64_t maxBytes,
                   uint64_t* received, std::string* digest);
  void Close();

 private:
  struct ReceiveProgress {
    ULONGLONG windowStart = 0;  // the current progress window
    uint64_t windowBytes = 0;   // received in it
    ULONGLONG lastData = 0;     // the last receive that brought data
  };
  // False when a limit of the fetch ran out (logged) or it was cancelled.
  bool WithinLimits(const std::string& name, ReceiveProgress& progress);
  // Until the socket has data; false when a limit ran out or the wait failed.
  bool WaitForData(const std::string& name, ReceiveProgress& progress);
  bool Exchange(const std::string& name, const std::string& destination, uint64_t maxBytes,
                uint64_t* received, std::string* digest);

  const UpdaterContext& context_;
  DWORD receiveTimeoutMs_;
  FetchCancel* cancel_;
  SOCKET socket_ = INVALID_SOCKET;
};

// A whole fetch: socket layer up, connect, one request, close, socket layer down.
bool FetchManifest(const UpdaterContext& context, const std::string& address, int port,
                   FetchCancel* cancel = nullptr);
// The manifest's detached signature, beside it as "ServerList.xml.sig" (a few bytes at most).
constexpr uint64_t kMaxSignatureBytes = 4096;
bool FetchSignature(const UpdaterContext& context, const std::string& address, int port);

// A file fetch whose receives all come within the receive time-out, which makes progress in every
// window (kMinProgressBytes per progressWindowMs) and ends before the run's deadline; the name
// is also where it is staged, and at most the file cap arrives. received: the bytes stored.
bool FetchFile(const UpdaterContext& context, const std::string& address, const std::string& name, int port);
bool FetchFile(const UpdaterContext& context, const std::string& address, const std::string& name,
               const std::string& localName, int port, uint64_t maxBytes, uint64_t* received = nullptr,
               std::string* digest = nullptr);
