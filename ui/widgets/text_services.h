// The system's windowless rich-text services: their interfaces, and loading them for a host.
//
//  TX1. The services come from "msftedit.dll" in System32 (never another folder: the library
//      is not one of the system's known DLLs) through its "CreateTextServices" entry; the
//      object made for the host is asked for ITextServices with kIidITextServices. A missing
//      library or entry point, a failed creation or a refused query gives no services (null);
//      nothing is left loaded then.
//  TX2. The library stays loaded while the services live: the services pointer is released
//      before the module.
//  TX3. The services keep the host pointer they were made with; the host must outlive them.
#pragma once

#include <windows.h>
// The text services' interfaces need the COM, rich-edit and input-method types first.
#include <ole2.h>
#include <imm.h>
#include <richedit.h>
#include <textserv.h>

#include <memory>
#include <string>

#include "support/scoped_com.h"
#include "support/system_library.h"

namespace ui {

// Declared here rather than taken from an import library: the services' own identifiers.
inline constexpr IID kIidITextServices = {
    0x8d33f740, 0xcf58, 0x11ce, {0xa8, 0x9d, 0x00, 0xaa, 0x00, 0x6c, 0xad, 0xc5}};
inline constexpr IID kIidITextHost = {
    0x13e670f4, 0x1a5a, 0x11cf, {0xab, 0xeb, 0x00, 0xaa, 0x00, 0xb6, 0x5e, 0xa1}};

inline constexpr wchar_t kTextServicesLibrary[] = L"msftedit.dll";
inline constexpr char kCreateTextServicesEntry[] = "CreateTextServices";

class TextServices {
 public:
  // TX1: null when the services cannot be had.
  static std::unique_ptr<TextServices> Create(ITextHost* host);
  ~TextServices();
  TextServices(const TextServices&) = delete;
  TextServices& operator=(const TextServices&) = delete;

  ITextServices* get() const { return services_.get(); }
  // TxSendMessage's result; 0 when the services refused the message.
  LRESULT Send(UINT msg, WPARAM w_param, LPARAM l_param) const;

 private:
  TextServices() = default;

  std::unique_ptr<vireo::SystemLibrary> library_;  // TX2: declared first, released last
  vireo::ScopedComPtr<ITextServices> services_;
};

// Tests name a System32 file that does not exist to run without services; empty restores
// kTextServicesLibrary.
void SetTextServicesLibraryForTesting(const std::wstring& library);

}  // namespace ui
