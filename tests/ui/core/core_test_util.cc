#include "tests/ui/core/core_test_util.h"

#include <string>

#include "tests/test_support/file_io.h"

namespace ui_test {

bool WriteBmp(const std::wstring& path, int width, int height, DWORD rgb) {
  const int stride = (width * 3 + 3) & ~3;
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof(info);
  info.biWidth = width;
  info.biHeight = height;  // bottom-up
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(file) + sizeof(info);
  file.bfSize = file.bfOffBits + stride * height;
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
  bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
  std::string row(stride, '\0');
  for (int x = 0; x < width; ++x) {
    row[x * 3] = static_cast<char>(rgb & 0xFF);
    row[x * 3 + 1] = static_cast<char>((rgb >> 8) & 0xFF);
    row[x * 3 + 2] = static_cast<char>((rgb >> 16) & 0xFF);
  }
  for (int y = 0; y < height; ++y) bytes += row;
  return vireo::test::WriteFileBytes(path, bytes);
}

}  // namespace ui_test
