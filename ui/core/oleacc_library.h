// The accessibility library (oleacc.dll), loaded when a screen reader first asks a window
// for its accessible object. It is not one of the system's known DLLs, so it is loaded from
// System32 by its full path and never from the executable's folder, where anyone may have
// left a file of that name.
//
//  OA1. The library is loaded on the first call, once per process; later calls answer the
//       same entries. Only the thread that runs the windows calls it.
//  OA2. A missing library or entry point answers null: windows then answer screen readers
//       with the system's default object only; nothing else fails.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <string>

namespace ui {

inline constexpr wchar_t kOleaccLibrary[] = L"oleacc.dll";

struct OleaccEntries {
  LRESULT(WINAPI* lresult_from_object)(REFIID iid, WPARAM w_param, IUnknown* object) = nullptr;
  HRESULT(WINAPI* create_std_accessible_object)(HWND hwnd, LONG object_id, REFIID iid,
                                                void** object) = nullptr;
};

// OA1, OA2.
const OleaccEntries* GetOleacc();

// Tests load another file name from System32 (an empty name restores oleacc.dll); the next
// GetOleacc loads again.
void SetOleaccLibraryForTesting(const std::wstring& file_name);

}  // namespace ui
