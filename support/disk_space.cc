#include "support/disk_space.h"

#include <limits>

#include "support/file_attributes.h"
#include "support/fixed_path.h"

namespace vireo {
namespace {

constexpr ULONGLONG kMegabyte = 1ull << 20;

unsigned Clamped(ULONGLONG megabytes) {
  return megabytes > std::numeric_limits<unsigned>::max() ? std::numeric_limits<unsigned>::max()
                                                          : static_cast<unsigned>(megabytes);
}

}  // namespace

bool FreeBytesAt(const std::wstring& path, ULONGLONG* free) {
  std::wstring existing = path;
  while (!existing.empty() && !PathExistsAt(existing)) {
    const std::wstring parent(ParentPart(existing));
    if (parent.size() >= existing.size()) return false;
    existing = parent;
  }
  if (existing.empty()) return false;
  ULARGE_INTEGER available{};
  if (!::GetDiskFreeSpaceExW(existing.c_str(), &available, nullptr, nullptr)) return false;
  *free = available.QuadPart;
  return true;
}

unsigned NeededMegabytes(ULONGLONG bytes) { return Clamped((bytes + kMegabyte - 1) / kMegabyte); }

unsigned FreeMegabytes(ULONGLONG bytes) { return Clamped(bytes / kMegabyte); }

}  // namespace vireo
