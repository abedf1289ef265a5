#include "support/md5_digest.h"

#include <windows.h>
#include <wincrypt.h>

#include "support/scoped_handle.h"

namespace vireo {
namespace {

struct CryptProviderTraits {
  using Handle = HCRYPTPROV;
  static Handle Invalid() { return 0; }
  static bool IsValid(Handle h) { return h != 0; }
  static void Close(Handle h) { ::CryptReleaseContext(h, 0); }
};

struct CryptHashTraits {
  using Handle = HCRYPTHASH;
  static Handle Invalid() { return 0; }
  static bool IsValid(Handle h) { return h != 0; }
  static void Close(Handle h) { ::CryptDestroyHash(h); }
};

using ScopedProvider = ScopedGeneric<CryptProviderTraits>;
using ScopedHash = ScopedGeneric<CryptHashTraits>;

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
