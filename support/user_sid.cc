#include "support/user_sid.h"

#include <windows.h>
#include <sddl.h>

#include <memory>

#include "support/scoped_handle.h"

namespace vireo {
namespace {

// Text the system allocated with LocalAlloc on the caller's behalf.
struct LocalTextTraits {
  using Handle = wchar_t*;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { ::LocalFree(h); }
};

}  // namespace

bool GetCurrentUserSidString(std::wstring* out) {
  if (!out) return false;
  ScopedHandle token;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, token.receive())) return false;

  // The size call is expected to fail with ERROR_INSUFFICIENT_BUFFER and report the size.
  DWORD size = 0;
  ::GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
  if (size < sizeof(TOKEN_USER)) return false;
  auto buffer = std::make_unique<unsigned char[]>(size);
  if (!::GetTokenInformation(token.get(), TokenUser, buffer.get(), size, &size)) return false;

  const auto* user = reinterpret_cast<const TOKEN_USER*>(buffer.get());
  ScopedGeneric<LocalTextTraits> text;
  if (!::ConvertSidToStringSidW(user->User.Sid, text.receive()) || !text) return false;
  std::wstring result(text.get());
  if (result.empty()) return false;
  *out = std::move(result);
  return true;
}

}  // namespace vireo
