// Randomized robustness runs over the markup layer's readers, shared by the test suite (a
// short seeded run) and tools/fuzz_skin.cc (the long one).
//
// Every input is copied to the very end of committed memory that is followed by a
// PAGE_NOACCESS page, so a read one byte past the input faults at once. A run passes when
// it returns: any crash ends the process.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ui::fuzz {

enum class InputKind {
  kZip,     // mutated real archives and synthetic records
  kXml,     // mutated skin text, as UTF-8 bytes
  kValues,  // descriptors, rectangles, colours, attribute lists, string tables, paths
  kPng,     // PNG files with valid chunks around mutated headers and rows, and mutated files
};

struct RunStats {
  size_t cases = 0;
  size_t accepted = 0;  // archives opened, documents parsed, descriptors with a file, images decoded
};

// Runs |cases| inputs of |kind| drawn from |seed|; the same seed gives the same inputs.
RunStats Run(InputKind kind, uint32_t seed, size_t cases);

}  // namespace ui::fuzz
