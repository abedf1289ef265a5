#include "tests/ui/render/pixel_probe.h"

#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "ui/render/dib_section.h"

namespace ui::testing {

vireo::ScopedBitmap MakeBitmap(int width, int height,
                               const std::function<uint32_t(int x, int y)>& pixel) {
  uint32_t* pixels = nullptr;
  vireo::ScopedBitmap bitmap = CreateTopDownDib(width, height, &pixels);
  for (int i = 0; pixels != nullptr && i < width * height; ++i)
    pixels[i] = pixel(i % width, i / width);
  return bitmap;
}

std::string Argb(uint32_t pixel) {
  char text[16];
  std::snprintf(text, sizeof(text), "#%08x", static_cast<unsigned>(pixel));
  return text;
}

bool Near(uint32_t a, uint32_t b, int tolerance) {
  for (int shift = 0; shift < 32; shift += 8) {
    if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance) return false;
  }
  return true;
}

int CountGdiObjects() {
  const DWORD reported = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
  if (reported != 0) return static_cast<int>(reported);
  // x64: the PEB holds the table's address at 0xF8; 65,536 entries of 24 bytes, whose type
  // (Wine: a byte, Windows: a word) at offset 14 is 0 when the entry is free.
  PROCESS_BASIC_INFORMATION info{};
  if (::NtQueryInformationProcess(::GetCurrentProcess(), ProcessBasicInformation, &info,
                                  sizeof(info), nullptr) != 0) {
    return -1;
  }
  const BYTE* table =
      *reinterpret_cast<BYTE* const*>(reinterpret_cast<const BYTE*>(info.PebBaseAddress) + 0xF8);
  int used = 0;
  for (size_t i = 0; table != nullptr && i < 0x10000; ++i) used += table[i * 24 + 14] != 0;
  return used;
}

size_t HeapBytesInUse() {
  HANDLE heaps[64];
  const DWORD count = std::min<DWORD>(::GetProcessHeaps(64, heaps), 64);
  size_t total = 0;
  for (DWORD i = 0; i < count; ++i) {
    if (!::HeapLock(heaps[i])) continue;
    PROCESS_HEAP_ENTRY entry{};
    while (::HeapWalk(heaps[i], &entry)) {
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) total += entry.cbData;
    }
    ::HeapUnlock(heaps[i]);
  }
  return total;
}

}  // namespace ui::testing
