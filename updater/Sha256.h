#pragma once
// SHA-256 and ECDSA P-256 verification from the system's cryptography API (bcrypt.dll): nothing
// of the kind is written here.
#include <memory>
#include <string>

// A SHA-256 over bytes given in pieces.
class Sha256Stream {
 public:
  Sha256Stream();
  ~Sha256Stream();
  Sha256Stream(const Sha256Stream&) = delete;
  Sha256Stream& operator=(const Sha256Stream&) = delete;
  void Add(const void* data, size_t length);
  // The digest as 64 lower-case hex digits (empty when hashing failed); starts anew after it.
  std::string FinishHex();

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// The SHA-256 of the file's bytes as 64 lower-case hex digits; false when it cannot be read.
bool FileSha256Hex(const std::wstring& path, std::string& hex);

// The SHA-256 of bytes as 64 lower-case hex digits; empty on failure.
std::string Sha256Hex(const std::string& bytes);

// True when signature (r then s, 32 bytes each, big-endian) is a valid ECDSA P-256 signature
// over the SHA-256 of bytes, for publicKey (the point's x then y, 32 bytes each).
bool VerifyP256Signature(const std::string& publicKey, const std::string& bytes,
                         const std::string& signature);
