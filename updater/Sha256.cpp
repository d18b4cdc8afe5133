#include "Sha256.h"

#include <windows.h>

#include <bcrypt.h>

#include <cstring>
#include <memory>
#include <vector>

#include "Handles.h"

namespace {

constexpr size_t kDigestBytes = 32;
constexpr size_t kCoordinateBytes = 32;

class Algorithm {
 public:
  Algorithm(const wchar_t* name, ULONG flags) {
    if (!BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(&handle_, name, nullptr, flags))) handle_ = nullptr;
  }
  ~Algorithm() {
    if (handle_) BCryptCloseAlgorithmProvider(handle_, 0);
  }
  Algorithm(const Algorithm&) = delete;
  Algorithm& operator=(const Algorithm&) = delete;
  BCRYPT_ALG_HANDLE Get() const { return handle_; }

 private:
  BCRYPT_ALG_HANDLE handle_ = nullptr;
};

class Hash {
 public:
  explicit Hash(const Algorithm& algorithm) {
    if (!algorithm.Get() ||
        !BCRYPT_SUCCESS(BCryptCreateHash(algorithm.Get(), &handle_, nullptr, 0, nullptr, 0, 0))) {
      handle_ = nullptr;
    }
  }
  ~Hash() {
    if (handle_) BCryptDestroyHash(handle_);
  }
  Hash(const Hash&) = delete;
  Hash& operator=(const Hash&) = delete;
  bool Add(const void* data, size_t length) {
    return handle_ && BCRYPT_SUCCESS(BCryptHashData(handle_, static_cast<PUCHAR>(const_cast<void*>(data)),
                                                    static_cast<ULONG>(length), 0));
  }
  bool Finish(unsigned char (&digest)[kDigestBytes]) {
    return handle_ && BCRYPT_SUCCESS(BCryptFinishHash(handle_, digest, kDigestBytes, 0));
  }

 private:
  BCRYPT_HASH_HANDLE handle_ = nullptr;
};

class Key {
 public:
  ~Key() {
    if (handle_) BCryptDestroyKey(handle_);
  }
  BCRYPT_KEY_HANDLE* Out() { return &handle_; }
  BCRYPT_KEY_HANDLE Get() const { return handle_; }

 private:
  BCRYPT_KEY_HANDLE handle_ = nullptr;
};

std::string Hex(const unsigned char (&digest)[kDigestBytes]) {
  static const char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char byte : digest) {
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 15];
  }
  return hex;
}

bool Digest(const std::string& bytes, unsigned char (&digest)[kDigestBytes]) {
  Algorithm sha(BCRYPT_SHA256_ALGORITHM, 0);
  Hash hash(sha);
  return hash.Add(bytes.data(), bytes.size()) && hash.Finish(digest);
}

}  // namespace

struct Sha256Stream::State {
  Algorithm sha{BCRYPT_SHA256_ALGORITHM, 0};
  std::unique_ptr<Hash> hash = std::make_unique<Hash>(sha);
  bool failed = false;
};

Sha256Stream::Sha256Stream() : state_(std::make_unique<State>()) {}

Sha256Stream::~Sha256Stream() = default;

void Sha256Stream::Add(const void* data, size_t length) {
  if (!state_->hash->Add(data, length)) state_->failed = true;
}

std::string Sha256Stream::FinishHex() {
  unsigned char digest[kDigestBytes];
  const bool ok = !state_->failed && state_->hash->Finish(digest);
  state_->hash = std::make_unique<Hash>(state_->sha);
  state_->failed = false;
  return ok ? Hex(digest) : std::string();
}

bool FileSha256Hex(const std::wstring& path, std::string& hex) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.Valid()) return false;
  Algorithm sha(BCRYPT_SHA256_ALGORITHM, 0);
  Hash hash(sha);
  std::vector<char> buffer(64 * 1024);
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr)) return false;
    if (read == 0) break;
    if (!hash.Add(buffer.data(), read)) return false;
  }
  unsigned char digest[kDigestBytes];
  if (!hash.Finish(digest)) return false;
  hex = Hex(digest);
  return true;
}

std::string Sha256Hex(const std::string& bytes) {
  unsigned char digest[kDigestBytes];
  return Digest(bytes, digest) ? Hex(digest) : std::string();
}

bool VerifyP256Signature(const std::string& publicKey, const std::string& bytes,
                         const std::string& signature) {
  if (publicKey.size() != 2 * kCoordinateBytes || signature.size() != 2 * kCoordinateBytes) return false;
  unsigned char digest[kDigestBytes];
  if (!Digest(bytes, digest)) return false;
  Algorithm ecdsa(BCRYPT_ECDSA_P256_ALGORITHM, 0);
  if (!ecdsa.Get()) return false;
  std::vector<unsigned char> blob(sizeof(BCRYPT_ECCKEY_BLOB) + publicKey.size());
  BCRYPT_ECCKEY_BLOB header = {};
  header.dwMagic = BCRYPT_ECDSA_PUBLIC_P256_MAGIC;
  header.cbKey = kCoordinateBytes;
  std::memcpy(blob.data(), &header, sizeof header);
  std::memcpy(blob.data() + sizeof header, publicKey.data(), publicKey.size());
  Key key;
  if (!BCRYPT_SUCCESS(BCryptImportKeyPair(ecdsa.Get(), nullptr, BCRYPT_ECCPUBLIC_BLOB, key.Out(), blob.data(),
                                          static_cast<ULONG>(blob.size()), 0))) {
    return false;
  }
  std::vector<unsigned char> raw(signature.begin(), signature.end());
  return BCRYPT_SUCCESS(BCryptVerifySignature(key.Get(), nullptr, digest, kDigestBytes, raw.data(),
                                              static_cast<ULONG>(raw.size()), 0));
}
