#include "support/user_sid.h"

#include <windows.h>
#include <sddl.h>

#include <memory>

#include "support/scoped_handle.h"

namespace vireo {

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
  wchar_t* text = nullptr;
  if (!::ConvertSidToStringSidW(user->User.Sid, &text) || !text) return false;
  std::wstring result(text);
  ::LocalFree(text);
  if (result.empty()) return false;
  *out = std::move(result);
  return true;
}

}  // namespace vireo
