#include "support/md5_digest.h"

#include <windows.h>
#include <wincrypt.h>

namespace vireo {
namespace {

class ScopedProvider {
 public:
  ~ScopedProvider() {
    if (h_) ::CryptReleaseContext(h_, 0);
  }
  HCRYPTPROV* receive() { return &h_; }
  HCRYPTPROV get() const { return h_; }

 private:
  HCRYPTPROV h_ = 0;
};

class ScopedHash {
 public:
  ~ScopedHash() {
    if (h_) ::CryptDestroyHash(h_);
  }
  HCRYPTHASH* receive() { return &h_; }
  HCRYPTHASH get() const { return h_; }

 private:
  HCRYPTHASH h_ = 0;
};

}  // namespace

bool ComputeMd5(const void* data, size_t size, Md5* out) {
  if (!out || (size && !data) || size > MAXDWORD) return false;
  ScopedProvider provider;
  if (!::CryptAcquireContextW(provider.receive(), nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT)) return false;
  ScopedHash hash;
  if (!::CryptCreateHash(provider.get(), CALG_MD5, 0, 0, hash.receive())) return false;
  if (!::CryptHashData(hash.get(), static_cast<const BYTE*>(data), static_cast<DWORD>(size), 0)) return false;
  DWORD len = static_cast<DWORD>(out->size());
  if (!::CryptGetHashParam(hash.get(), HP_HASHVAL, out->data(), &len, 0)) return false;
  return len == out->size();
}

}  // namespace vireo
