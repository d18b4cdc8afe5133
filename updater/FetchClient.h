#pragma once
// The file-fetch protocol to the cashier server: one TCP connection per file, the request
// "UPDATE," + name (no terminator), the file's raw bytes in reply until the server closes.
#include <winsock2.h>

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
  // Sends "UPDATE," + name and stores the reply as "temp\" + name.
  bool ReceiveFile(const std::string& name);
  void Close();

 private:
  bool Exchange(const std::string& name, const std::string& destination);

  const UpdaterContext& context_;
  DWORD receiveTimeoutMs_;
  FetchCancel* cancel_;
  SOCKET socket_ = INVALID_SOCKET;
};

// A whole fetch: socket layer up, connect, one request, close, socket layer down.
bool FetchManifest(const UpdaterContext& context, const std::string& address, int port,
                   FetchCancel* cancel = nullptr);
bool FetchFile(const UpdaterContext& context, const std::string& address, const std::string& name, int port);
