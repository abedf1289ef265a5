#include "ui/widgets/text_services.h"

namespace ui {
namespace {

std::wstring& LibraryName() {
  static std::wstring name = kTextServicesLibrary;
  return name;
}

}  // namespace

void SetTextServicesLibraryForTesting(const std::wstring& library) {
  LibraryName() = library.empty() ? std::wstring(kTextServicesLibrary) : library;
}

std::unique_ptr<TextServices> TextServices::Create(ITextHost* host) {
  auto library = std::make_unique<vireo::SystemLibrary>(LibraryName().c_str());
  const auto create = library->Entry<PCreateTextServices>(kCreateTextServicesEntry);
  if (create == nullptr) return nullptr;

  vireo::ScopedComPtr<IUnknown> unknown;
  if (FAILED(create(nullptr, host, unknown.receive())) || !unknown) return nullptr;
  std::unique_ptr<TextServices> made(new TextServices);
  if (FAILED(unknown->QueryInterface(kIidITextServices,
                                     made->services_.receive_void())) ||
      !made->services_) {
    return nullptr;  // |unknown| is released before |library| (declared after it)
  }
  made->library_ = std::move(library);
  return made;
}

TextServices::~TextServices() {
  services_.reset();  // before the module unloads (TX2)
}

LRESULT TextServices::Send(UINT msg, WPARAM w_param, LPARAM l_param) const {
  LRESULT result = 0;
  if (!services_ || FAILED(services_->TxSendMessage(msg, w_param, l_param, &result))) return 0;
  return result;
}

}  // namespace ui
