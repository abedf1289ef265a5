// Whether COM is initialised on the calling thread, for tests of code that must leave a
// thread's COM state as it found it.
#pragma once

#include <windows.h>
#include <objbase.h>

namespace vireo::test {

// True when the thread is in any apartment. Probes with CoInitializeEx and undoes the probe,
// so the thread's count is unchanged afterwards.
inline bool IsComInitializedOnThisThread() {
  const HRESULT probe = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (SUCCEEDED(probe)) ::CoUninitialize();
  return probe == S_FALSE || probe == RPC_E_CHANGED_MODE;
}

}  // namespace vireo::test
