// One owned block of bytes of an exact size: a skin file extracted from the archive or read
// from disk.
//
// The block is plain heap memory rather than a movable global memory block: every reader
// here (the XML reader, the string table, the image decoder) wants a pointer to the bytes,
// and a movable block would need GlobalLock/GlobalUnlock around each use without saving a
// copy anywhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

namespace ui {

class ByteBlock {
 public:
  ByteBlock() = default;

  // A block of exactly |size| bytes (contents unset), or an invalid block when the memory
  // cannot be had. A block of 0 bytes is valid.
  static ByteBlock Allocate(size_t size) {
    ByteBlock block;
    block.data_.reset(new (std::nothrow) uint8_t[size == 0 ? 1 : size]);
    block.size_ = block.data_ ? size : 0;
    return block;
  }

  bool valid() const { return data_ != nullptr; }
  explicit operator bool() const { return valid(); }
  uint8_t* data() { return data_.get(); }
  const uint8_t* data() const { return data_.get(); }
  size_t size() const { return size_; }

 private:
  std::unique_ptr<uint8_t[]> data_;
  size_t size_ = 0;
};

}  // namespace ui
