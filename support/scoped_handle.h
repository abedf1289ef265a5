// Move-only owners of Win32 handles.
//
// Each handle kind is described by a traits type: what value means "no handle" and how a
// handle is closed. Null-invalid handles (process, thread, event, mutex) and
// INVALID_HANDLE_VALUE-invalid ones (files, find handles) are different types, so a file
// handle can never be checked against the wrong sentinel.
//
// reset() and the destructor preserve the thread's last-error code, so that code can read
// GetLastError() after an owner went out of scope on an early-return path.
#pragma once

#include <windows.h>

#include <utility>

namespace vireo {

template <typename Traits>
class ScopedGeneric {
 public:
  using Handle = typename Traits::Handle;

  ScopedGeneric() = default;
  explicit ScopedGeneric(Handle h) : handle_(h) {}
  ScopedGeneric(const ScopedGeneric&) = delete;
  ScopedGeneric& operator=(const ScopedGeneric&) = delete;
  ScopedGeneric(ScopedGeneric&& other) noexcept : handle_(other.release()) {}
  ScopedGeneric& operator=(ScopedGeneric&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~ScopedGeneric() { reset(); }

  bool valid() const { return Traits::IsValid(handle_); }
  explicit operator bool() const { return valid(); }
  Handle get() const { return handle_; }

  // Closes the current handle (if any) and takes |h|; the last-error code survives.
  void reset(Handle h = Traits::Invalid()) {
    if (handle_ == h) return;
    if (Traits::IsValid(handle_)) {
      const DWORD saved = ::GetLastError();
      Traits::Close(handle_);
      ::SetLastError(saved);
    }
    handle_ = h;
  }

  // Gives up ownership; the caller must close the returned handle.
  [[nodiscard]] Handle release() {
    Handle h = handle_;
    handle_ = Traits::Invalid();
    return h;
  }

  // For APIs that return a handle through an out-parameter.
  Handle* receive() {
    reset();
    return &handle_;
  }

 private:
  Handle handle_ = Traits::Invalid();
};

struct NullHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(Handle h) { ::CloseHandle(h); }
};

struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static bool IsValid(Handle h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
  static void Close(Handle h) { ::CloseHandle(h); }
};

struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() { return INVALID_HANDLE_VALUE; }
  static bool IsValid(Handle h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
  static void Close(Handle h) { ::FindClose(h); }
};

struct RegKeyTraits {
  using Handle = HKEY;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { ::RegCloseKey(h); }
};

struct ModuleTraits {
  using Handle = HMODULE;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { ::FreeLibrary(h); }
};

// Pages from VirtualAlloc, released whole (MEM_RELEASE).
struct VirtualMemoryTraits {
  using Handle = void*;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { ::VirtualFree(h, 0, MEM_RELEASE); }
};

// A view of a file mapping from MapViewOfFile, unmapped whole.
struct MappedViewTraits {
  using Handle = const void*;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { ::UnmapViewOfFile(h); }
};

// A process, thread, event, mutex or snapshot handle (null when absent).
using ScopedHandle = ScopedGeneric<NullHandleTraits>;
// A file handle from CreateFileW (INVALID_HANDLE_VALUE when absent).
using ScopedFile = ScopedGeneric<FileHandleTraits>;
using ScopedFindHandle = ScopedGeneric<FindHandleTraits>;
using ScopedRegKey = ScopedGeneric<RegKeyTraits>;
using ScopedModule = ScopedGeneric<ModuleTraits>;
using ScopedVirtualMemory = ScopedGeneric<VirtualMemoryTraits>;
using ScopedMappedView = ScopedGeneric<MappedViewTraits>;

}  // namespace vireo
